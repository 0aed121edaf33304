// SPDX-License-Identifier: MIT
#pragma once
// What the writing pass does to the KML text, one block at a time: put one time element after
// the file's first container tag (embedding_stream.h), or a time element into each feature or
// into the first container, every other byte kept (each/feature_time_stream.h).

#include <cstddef>
#include <string_view>

#include "core/embed_result.h"
#include "core/engine/output_buffer.h"

namespace zaveze {

class TextTransformation {
  public:
    virtual ~TextTransformation() = default;

    // Transforms bytes from the front of `input` and adds the result to `out`. Returns how many
    // bytes it used: the rest must be offered again, followed by the next bytes of the input.
    virtual std::size_t Transform(std::string_view input, OutputBuffer& out) = 0;
    // Transforms the input's last bytes, all of them.
    virtual void Finish(std::string_view last_bytes, OutputBuffer& out) = 0;
    // Moves a bounded amount of output that was held back and is now ready to `out`; whether
    // more is ready.
    virtual bool Release(OutputBuffer& /*out*/) { return false; }
    // How the transformation ended, once finished: Written, or why its output must not be kept.
    virtual EmbedResult Result() const = 0;
};

}  // namespace zaveze
