// SPDX-License-Identifier: MIT
#include "core/module1.h"

#include <string_view>

#include "core/files/platform/paths.h"

namespace Module1 {

std::string Get_Folder(const std::string& path) {
    const std::size_t first = path.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const std::string_view trimmed =
        std::string_view(path).substr(first, path.find_last_not_of(' ') - first + 1);
    return zaveze::platform::Folder_Of(std::string(trimmed));
}

std::string Get_Base_Name(const std::string& path) {
    const std::string name = zaveze::platform::File_Name_Of(path);
    return name.substr(0, name.find('.'));
}

}  // namespace Module1
