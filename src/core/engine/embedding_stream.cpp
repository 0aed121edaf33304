// SPDX-License-Identifier: MIT
#include "core/engine/embedding_stream.h"

#include <cstring>

#include "core/engine/byte_scan.h"
#include "core/engine/container_tags.h"

namespace zaveze {
namespace {

// Whether the bytes before `end` finish a line: a CR, or the LF of a CR LF pair. A lone LF
// does not.
bool Ends_Line(const char* begin, const char* end) {
    return end[-1] == '\r' || (end[-1] == '\n' && end - begin >= 2 && end[-2] == '\r');
}

char* Put(char* cursor, std::string_view bytes) {
    std::memcpy(cursor, bytes.data(), bytes.size());
    return cursor + bytes.size();
}

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

EmbeddingStream::EmbeddingStream(std::string element_text)
    : element_text_(std::move(element_text)) {}

std::size_t EmbeddingStream::Transform(std::string_view input, OutputBuffer& out) {
    return Run(input, false, out);
}

void EmbeddingStream::Finish(std::string_view last_bytes, OutputBuffer& out) {
    Run(last_bytes, true, out);
    if (line_open_) {
        out.Written_Until(Put(out.Room_For(kLineEnd.size()), kLineEnd));
        line_open_ = false;
    }
}

std::size_t EmbeddingStream::Run(std::string_view input, bool at_end, OutputBuffer& out) {
    const char* const begin = input.data();
    const char* const end = begin + input.size();
    const char* position = begin;
    // At worst every byte is a lone LF and doubles; a tag of at least eight bytes grows by four.
    char* cursor =
        out.Room_For(2 * input.size() + element_text_.size() + kLineEnd.size() + kPlainCopySlack);

    if (after_line_end_cr_ && position < end) {
        after_line_end_cr_ = false;
        if (*position == '\n') {
            ++position;
        }
    }
    while (position < end) {
        const PlainCopy copy =
            Copy_Plain_Bytes(begin, position, end, cursor,
                             element_written_ ? AtContainerTag::SplitLine : AtContainerTag::Stop);
        const char* const special = copy.stop;
        if (special > position) {
            line_open_ = !Ends_Line(begin, special);
            cursor = copy.cursor;
            position = special;
        }
        if (special == end) {
            break;
        }
        position = special + 1;
        switch (*special) {
            case '\r':
                cursor = Put(cursor, kLineEnd);
                line_open_ = false;
                if (position == end) {
                    after_line_end_cr_ = true;
                } else if (*position == '\n') {
                    ++position;
                }
                break;
            default: {
                const auto [match, tag] =
                    Match_Container_Tag(std::string_view(special, end - special));
                if (match == TagMatch::Partial && !at_end) {
                    out.Written_Until(cursor);
                    return static_cast<std::size_t>(special - begin);
                }
                line_open_ = true;
                if (match != TagMatch::Full) {
                    *cursor++ = '<';
                    break;
                }
                cursor = Put(Put(Put(cursor, kLineEnd), tag), kLineEnd);
                if (!element_written_) {
                    cursor = Put(cursor, element_text_);
                    element_written_ = true;
                }
                position = special + tag.size();
                break;
            }
        }
    }
    out.Written_Until(cursor);
    return input.size();
}

EmbeddedText Embed_Text(std::string_view input, const std::string& element_text) {
    EmbeddingStream stream(element_text);
    OutputBuffer out;
    const std::size_t used = stream.Transform(input, out);
    stream.Finish(input.substr(used), out);
    return {std::string(out.View()), stream.Element_Written()};
}

}  // namespace zaveze
