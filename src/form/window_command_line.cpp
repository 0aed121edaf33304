// SPDX-License-Identifier: MIT
#include "form/window_command_line.h"

#include <algorithm>

namespace zaveze::form {
namespace {

constexpr std::string_view kHelp =
    "Usage: zaveze [options] [FILE]\n"
    "Adds time information (a TimeStamp or a TimeSpan) to a copy of a KML file.\n"
    "\n"
    "Options:\n"
    "  -?, -h, --help  Displays help on commandline options.\n"
    "  -v, --version   Displays version information.\n"
    "\n"
    "Arguments:\n"
    "  FILE            The KML file to open, as if chosen with \"Open Input KML  File\".\n";

bool Asks_For_Help(std::string_view word) {
    return word == "-h" || word == "--help" || word == "-?" || word == "--help-all";
}

bool Asks_For_Version(std::string_view word) {
    return word == "-v" || word == "--version";
}

}  // namespace

WindowRequest Read_Window_Arguments(const std::vector<std::string>& arguments) {
    using Kind = WindowRequest::Kind;
    std::vector<std::string> files;
    for (const std::string& word : arguments) {
        if (Asks_For_Help(word)) {
            return {Kind::Print, std::string(kHelp), {}};
        }
        if (Asks_For_Version(word)) {
            return {Kind::Print, std::string("zaveze ") + ZAVEZE_VERSION + "\n", {}};
        }
        if (word.size() > 1 && word[0] == '-') {
            return {Kind::BadUsage,
                    "zaveze: Unknown option '" + word.substr(word.find_first_not_of('-')) + "'.\n",
                    {}};
        }
        files.push_back(word);
    }
    if (files.size() > 1) {
        return {Kind::BadUsage, "zaveze: one FILE at most\n", {}};
    }
    return {Kind::Open, {}, files.empty() ? std::string() : files[0]};
}

bool Only_Prints(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& word) {
        return Asks_For_Help(word) || Asks_For_Version(word);
    });
}

}  // namespace zaveze::form
