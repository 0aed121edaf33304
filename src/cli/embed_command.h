// SPDX-License-Identifier: MIT
#pragma once
// zaveze-embed: embeds time information into a KML file from the command line.

#include <iosfwd>

namespace zaveze::cli {

// Exit statuses of the tool.
enum ExitStatus : int {
    kWritten = 0,
    kRefused = 1,
    kBadUsage = 2,
    kFileFailure = 3,
};

// Runs the tool with the given arguments (argv[0] is the program name). Messages go to `err`,
// the "created" report, help and version to `out`.
int Run_Embed_Command(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace zaveze::cli
