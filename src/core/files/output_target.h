// SPDX-License-Identifier: MIT
#pragma once
// What an output path names, and so whether and how it may be written. The window and
// zaveze-embed both ask here before they write, and the writing asks again at the end.

#include <optional>
#include <string>

#include "core/files/input_file.h"

namespace zaveze {

enum class OutputState {
    Free,            // nothing has the name: the output can be created
    ExistingFile,    // a file (or a symbolic link, even a dangling one) has the name
    SameAsInput,     // the name leads to the input file itself
    NotRegularFile,  // a folder, device, FIFO or socket has the name; `reason` says which
};

struct OutputTarget {
    OutputState state = OutputState::Free;
    std::string reason;      // why a NotRegularFile cannot be written
    std::string write_path;  // where the new file goes: the path, its symbolic links followed
};

// Examines `output`; `input` is the identity of the input file, when there is one.
OutputTarget Examine_Output(const std::string& output, std::optional<FileIdentity> input);

}  // namespace zaveze
