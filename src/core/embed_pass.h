// SPDX-License-Identifier: MIT
#pragma once
// The writing pass shared by every kind of output: the input read once, block by block, through
// the time-data scan and the transformation, and written by a thread of its own.

#include <cstddef>
#include <string>

#include "core/embed_file.h"
#include "core/input_file.h"
#include "core/job_control.h"

namespace zaveze {

// Small enough that a block stays in the processor's cache between reading, transforming and
// writing it. Measured: reads of 128 KiB and more took four times as long per byte as 64 KiB
// reads (see bench/RESULTS.md).
inline constexpr std::size_t kBlockSize = 64 << 10;

EmbedResult Read_Failure(int error);
EmbedResult Write_Failure(int error);

// Streams the input once through the transformation and the time-data scan into `output_fd`.
EmbedResult Copy_With_Element(InputFile& input, int output_fd, const std::string& element_text,
                              JobControl* control = nullptr);

// Copies what is left of `from` to `to`.
EmbedResult Copy_Rest(int from, int to);

}  // namespace zaveze
