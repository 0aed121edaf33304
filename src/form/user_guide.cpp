// SPDX-License-Identifier: MIT
#include "form/user_guide.h"

#include <filesystem>

#include "core/files/platform/file_system.h"
#include "core/files/platform/paths.h"

namespace zaveze::form {

UserGuide Find_User_Guide(const std::string& program_folder) {
    std::string folder = program_folder;
    if (const std::string docs = ZAVEZE_INSTALL_DOCDIR_FROM_BINDIR; !docs.empty()) {
        // "/usr/bin/../share/doc/zaveze" read as "/usr/share/doc/zaveze"
        folder =
            std::filesystem::path(platform::In_Folder(folder, docs)).lexically_normal().string();
    }
    UserGuide guide{.expected = platform::In_Folder(folder, "user-guide.html"), .found = {}};
    const auto is_there = [](const std::string& path) {
        return platform::Status_Of_Path(path, true).has_value();
    };
    if (is_there(guide.expected)) {
        guide.found = guide.expected;
#ifdef ZAVEZE_SOURCE_GUIDE
    } else if (is_there(ZAVEZE_SOURCE_GUIDE)) {
        guide.found = ZAVEZE_SOURCE_GUIDE;
#endif
    }
    return guide;
}

}  // namespace zaveze::form
