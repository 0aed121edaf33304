// SPDX-License-Identifier: MIT
#pragma once
// Unnamed files in the temporary folder, for inputs that must be read more than once or out of
// order (a pipe), and for an archive on its way to a pipe. They vanish with the process.

#include <cstdint>
#include <optional>

#include "core/embed_result.h"
#include "core/files/file_descriptor.h"
#include "core/files/input_file.h"

namespace zaveze {

// Makes an unnamed file in the temporary folder, open for reading and writing; the failure when
// it cannot.
std::optional<EmbedResult> Open_Temporary_File(FileDescriptor& file);

// Copies a piped input, at most kMaxSpoolBytes, into such a file and makes that the input; a
// regular file is left as it is, since it can be read again.
inline constexpr std::uint64_t kMaxSpoolBytes = std::uint64_t{4} << 30;
EmbedResult Spool(InputFile& input);

}  // namespace zaveze
