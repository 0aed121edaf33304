// SPDX-License-Identifier: MIT
#pragma once
// The transformation from input KML to output KML, one block at a time.
//
// The output is the input with
//  - every line ended by CR LF, where a line ends at CR or CR LF and a lone LF inside a line is
//    itself written as CR LF;
//  - every plain container tag (<Document>, <Folder>, ...) moved onto a line of its own (what
//    stood before and after it on its line forms the lines around it), and so the chosen tag
//    (see container_locator.h), whatever it carries;
//  - the time element right after the line that ends with the chosen tag's ">", its tags with
//    the chosen tag's namespace prefix.
// An unfinished last line gets its CR LF at the end; an empty input gives an empty output.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/engine/container_locator.h"
#include "core/engine/output_buffer.h"
#include "core/engine/text_transformation.h"

namespace zaveze {

class EmbeddingStream final : public TextTransformation {
  public:
    explicit EmbeddingStream(std::string element_text);

    // The bytes it does not use are a possible start of a container tag.
    std::size_t Transform(std::string_view input, OutputBuffer& out) override;
    // Also ends an unfinished last line.
    void Finish(std::string_view last_bytes, OutputBuffer& out) override;
    // Written, or NoContainerTag.
    EmbedResult Result() const override;

    bool Element_Written() const { return element_written_; }

  private:
    struct Bytes;
    std::size_t Run(std::string_view input, bool at_end, OutputBuffer& out);
    // Copies up to `stop`, splitting the lines of plain tags; false when it stopped before, at
    // a plain tag that the input's end cuts short.
    bool Copy_Text(Bytes& bytes, const char* stop);
    void Place_Element(Bytes& bytes, const char* tag, const ContainerLocator::Step& found,
                       OutputBuffer& out);

    std::string element_text_;
    ContainerLocator locator_;
    std::size_t located_ahead_ = 0;  // bytes offered again that the locator has scanned already
    bool element_written_ = false;
    bool line_open_ = false;          // the current input line has at least one byte
    bool after_line_end_cr_ = false;  // the last byte was a CR: an LF now belongs to it
};

// The whole transformation of an input held in memory.
struct EmbeddedText {
    std::string text;
    bool element_written = false;
};
EmbeddedText Embed_Text(std::string_view input, const std::string& element_text);

}  // namespace zaveze
