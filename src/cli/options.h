// SPDX-License-Identifier: MIT
#pragma once
// What zaveze-embed was asked to do: its options and file names, checked, in the form the window
// would build them.

#include <optional>
#include <string>
#include <vector>

#include "core/embedding.h"
#include "core/time_element.h"
#include "datetime/time_mode.h"

namespace zaveze::cli {

struct Options {
    std::optional<std::string> stamp, begin, end, time, end_time, zone;
    bool force = false;
    bool no_clobber = false;
    bool quiet = false;
    bool dry_run = false;
    // Each feature's own time, from its own data (SOURCE: data:NAME, name or description).
    bool each = false;
    std::optional<std::string> stamp_from, begin_from, end_from;
    // The single element on one line, every other byte kept.
    bool keep_layout = false;
    std::optional<std::string> target_folder;  // -t: every name is an input
    std::vector<std::string> names;            // the file names, in order
    // The dates as the window builds them.
    TimeMode mode = TimeMode::TimeSpan;
    std::string begin_date, end_date;

    // The time settings the options ask for.
    TimeSettings Time_Settings() const;
    // What the options ask to be embedded.
    Embedding Make_Embedding() const;
};

// Bad usage: the text says what was wrong.
struct UsageError {
    std::string text;
};

enum class Request { Run, Help, Version };

// Reads the arguments (argv[0] is the program's name); throws UsageError.
Request Parse_Arguments(int argc, char** argv, Options& options);

}  // namespace zaveze::cli
