// SPDX-License-Identifier: MIT
#pragma once
// Which input goes to which output, from the file names as cp and ln take them:
//   INPUT [OUTPUT]          OUTPUT may be an existing folder, or "-" for standard output
//   INPUT... FOLDER         three or more names: the last is an existing folder
//   -t FOLDER INPUT...      every name is an input
// "-" as INPUT is standard input. Inputs without an OUTPUT get the automatic name, in their own
// folder or in FOLDER.

#include <string>
#include <vector>

#include "cli/options.h"

namespace zaveze::cli {

inline constexpr const char* kStandardStream = "-";

struct Job {
    std::string input;   // a path, or "-"
    std::string output;  // a path, or "-"
    // Why this job must not run at all (its output collides with another job's); empty if none.
    std::string conflict;

    bool From_Standard_Input() const { return input == kStandardStream; }
    bool To_Standard_Output() const { return output == kStandardStream; }
};

// The jobs of a run; throws UsageError for names that do not fit any form. Jobs whose outputs
// collide, or whose output is another job's input, carry a conflict and are not run.
std::vector<Job> Plan_Jobs(const Options& options);

// How a job's file is named in messages, in the system's own separators.
std::string Shown_Input(const Job& job);
std::string Shown_Output(const Job& job);

}  // namespace zaveze::cli
