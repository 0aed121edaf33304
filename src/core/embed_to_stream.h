// SPDX-License-Identifier: MIT
#pragma once
// Embedding into a stream (standard output) rather than a file.

#include <string>

#include "core/embed_result.h"
#include "core/embedding.h"

namespace zaveze {

// Writes the output to `output_fd` (standard output) instead of a file. What has gone out cannot
// be taken back, so the input is checked whole before the first byte goes out: a regular file is
// read twice; an input that can be read only once (a pipe) is first copied into an unnamed spool
// file in the temporary folder (see files/spool.h).
EmbedResult Embed_To_Descriptor(const std::string& input, int output_fd,
                                const Embedding& embedding);

}  // namespace zaveze
