// SPDX-License-Identifier: MIT
#pragma once
// Where the window finds its user guide: where the package installs it, relative to the program's
// own folder (beside the program on Windows, share/doc/zaveze on Linux). A development build run
// where it was built also reads the one in its source tree.

#include <optional>
#include <string>

namespace zaveze::form {

struct UserGuide {
    std::string expected;              // where the installed program has it
    std::optional<std::string> found;  // where it is: `expected`, or the source tree's
};

UserGuide Find_User_Guide(const std::string& program_folder);

}  // namespace zaveze::form
