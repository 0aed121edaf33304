// SPDX-License-Identifier: MIT
#pragma once
// The window program's command line, the same for both faces: `zaveze [FILE]`, --help and
// --version. Each face reads its arguments as the system gives them and prints what comes back.

#include <string>
#include <string_view>
#include <vector>

namespace zaveze::form {

struct WindowRequest {
    enum class Kind {
        Open,      // show the window, with `file` taken as if chosen when there is one
        Print,     // print `text` to standard output (help, version) and end with 0
        BadUsage,  // print `text` to standard error and end with 2
    };
    Kind kind = Kind::Open;
    std::string text;
    std::string file;  // as given: the face makes it absolute
};

// The arguments after the program's name (a face's own options, such as Qt's -style, taken out).
WindowRequest Read_Window_Arguments(const std::vector<std::string>& arguments);

// Whether the arguments only ask for help or the version, which need no window system.
bool Only_Prints(const std::vector<std::string>& arguments);

}  // namespace zaveze::form
