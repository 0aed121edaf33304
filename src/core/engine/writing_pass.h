// SPDX-License-Identifier: MIT
#pragma once
// The writing pass shared by every kind of output: the input read once, block by block, through
// the time-data scan and the transformation, and written by a thread of its own.

#include <cstddef>
#include <string>

#include "core/embed_result.h"
#include "core/embedding.h"
#include "core/engine/output_buffer.h"
#include "core/files/input_file.h"
#include "core/input_check.h"
#include "core/job_control.h"

namespace zaveze {

// Small enough that a block stays in the processor's cache between reading, transforming and
// writing it. Measured: reads of 128 KiB and more took four times as long per byte as 64 KiB
// reads (see bench/RESULTS.md).
inline constexpr std::size_t kBlockSize = 64 << 10;

EmbedResult Read_Failure(int error);
EmbedResult Write_Failure(int error);

// Where the writing pass puts what it made.
class PassOutput {
  public:
    virtual ~PassOutput() = default;
    // Takes bytes from the front of `out`, all of them when `last`; keeps the rest there.
    virtual void Take(OutputBuffer& out, bool last) = 0;
    // Whether a write has failed already, so that the rest need not be made.
    virtual bool Failed() = 0;
};

// Streams bytes from `read` once through the time-data scan (unless each feature is timed) and
// the transformation into `output`, a UTF-16 text converted to UTF-8 and back: Written,
// HasTimeData, Utf32, CutShortUtf16, Cancelled, ReadFailed with errno's text, or the
// transformation's own refusal (NoContainerTag, NoFeatureTimed).
EmbedResult Run_Writing_Pass(const ByteReader& read, PassOutput& output, const Embedding& embedding,
                             JobControl* control);

// The writing pass from an input file into `output_fd`.
EmbedResult Copy_With_Element(InputFile& input, int output_fd, const Embedding& embedding,
                              JobControl* control = nullptr);

// The writing pass from an input file into nothing: what the pass would end with.
EmbedResult Writing_Pass_Verdict(InputFile& input, const Embedding& embedding);

// Copies what is left of `from` to `to`.
EmbedResult Copy_Rest(int from, int to);

}  // namespace zaveze
