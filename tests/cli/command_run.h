// SPDX-License-Identifier: MIT
#pragma once
// zaveze-embed run in the test's own process, with what it wrote to standard output and error,
// and the lines it says about files.

#include <sstream>
#include <string>
#include <vector>

#include "cli/embed_command.h"
#include "core/files/platform/paths.h"

namespace zaveze::cli {

struct CommandRun {
    int status;
    std::string out, err;
};

// Runs zaveze-embed with `args` (without the program's name).
inline CommandRun Embed_Command(std::vector<std::string> args) {
    args.insert(args.begin(), "zaveze-embed");
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::ostringstream out, err;
    const int status = Run_Embed_Command(static_cast<int>(args.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

// A line the tool says about `file`, named in the system's own separators.
inline std::string Said(const std::string& file, std::string_view text) {
    return "zaveze-embed: " + platform::Shown_Path(file) + ": " + std::string(text) + "\n";
}

}  // namespace zaveze::cli
