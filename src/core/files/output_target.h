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

// The folder part of a path exactly as given ("" for a bare name, "/" for a file in the root):
// the folder where a new file of that name is made.
std::string Folder_Of(const std::string& path);

// Whether `path` names its place without the working folder: from the root, and on Windows
// also from a drive ("C:\\", even "C:") or a server ("\\\\server\\share").
bool Is_Absolute_Path(const std::string& path);

// `name` in `folder`: with the system's separator between them, unless `folder` ends with one
// (on Windows "\\" or "/").
std::string In_Folder(const std::string& folder, const std::string& name);

}  // namespace zaveze
