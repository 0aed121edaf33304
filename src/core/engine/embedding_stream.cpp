// SPDX-License-Identifier: MIT
#include "core/engine/embedding_stream.h"

#include <algorithm>
#include <cstring>

#include "core/engine/byte_scan.h"
#include "core/engine/container_tags.h"
#include "core/time_element.h"

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

// A tag's bytes with its inner line breaks (CR, CR LF, lone LF) written as CR LF.
char* Put_Tag(const char* from, const char* to, char* cursor) {
    for (const char* p = from; p < to; ++p) {
        if (*p != '\r' && *p != '\n') {
            *cursor++ = *p;
            continue;
        }
        cursor = Put(cursor, kLineEnd);
        if (*p == '\r' && p + 1 < to && p[1] == '\n') {
            ++p;
        }
    }
    return cursor;
}

}  // namespace

// The bytes of one call, and where the output goes.
struct EmbeddingStream::Bytes {
    const char* begin;
    const char* position;
    const char* end;
    bool at_end;
    char* cursor;
};

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
    Bytes bytes{input.data(), input.data(), input.data() + input.size(), at_end, nullptr};
    // At worst every byte is a lone LF and doubles; a plain tag of at least eight bytes grows
    // by four.
    bytes.cursor = out.Room_For(2 * input.size() + kLineEnd.size() + kPlainCopySlack);
    const auto used = [&] {
        out.Written_Until(bytes.cursor);
        return static_cast<std::size_t>(bytes.position - bytes.begin);
    };

    if (after_line_end_cr_ && bytes.position < bytes.end) {
        after_line_end_cr_ = false;
        if (*bytes.position == '\n') {
            ++bytes.position;
        }
    }
    if (!element_written_) {
        // The locator says how far the bytes are text before the chosen tag.
        const char* const scan_from = bytes.begin + std::min(located_ahead_, input.size());
        const ContainerLocator::Step step =
            locator_.Scan(std::string_view(scan_from, bytes.end - scan_from), at_end);
        const bool searched = step.kind == ContainerLocator::Step::Kind::Searched;
        const char* const stop = searched ? bytes.end : scan_from + step.at;
        const bool copied = Copy_Text(bytes, stop);
        located_ahead_ = static_cast<std::size_t>(stop - bytes.position);
        if (!copied || step.kind != ContainerLocator::Step::Kind::Found) {
            return used();
        }
        Place_Element(bytes, stop, step, out);
    }
    Copy_Text(bytes, bytes.end);
    return used();
}

bool EmbeddingStream::Copy_Text(Bytes& bytes, const char* stop) {
    while (bytes.position < stop) {
        const PlainCopy copy = Copy_Plain_Bytes(bytes.begin, bytes.position, stop, bytes.cursor);
        const char* const special = copy.stop;
        if (special > bytes.position) {
            line_open_ = !Ends_Line(bytes.begin, special);
            bytes.cursor = copy.cursor;
            bytes.position = special;
        }
        if (special == stop) {
            break;
        }
        bytes.position = special + 1;
        if (*special == '\r') {
            bytes.cursor = Put(bytes.cursor, kLineEnd);
            line_open_ = false;
            if (bytes.position == bytes.end) {
                after_line_end_cr_ = true;
            } else if (*bytes.position == '\n') {
                ++bytes.position;
            }
            continue;
        }
        // A "<" that may start a plain tag: the whole input tells, not only the bytes to `stop`.
        const auto [match, tag] =
            Match_Container_Tag(std::string_view(special, bytes.end - special));
        if (match == TagMatch::Partial && !bytes.at_end) {
            bytes.position = special;
            return false;
        }
        line_open_ = true;
        if (match != TagMatch::Full) {
            *bytes.cursor++ = '<';
            continue;
        }
        bytes.cursor = Put(Put(Put(bytes.cursor, kLineEnd), tag), kLineEnd);
        bytes.position = special + tag.size();
    }
    return true;
}

void EmbeddingStream::Place_Element(Bytes& bytes, const char* tag,
                                    const ContainerLocator::Step& found, OutputBuffer& out) {
    const std::string element =
        With_Tag_Prefix(element_text_, std::string_view(tag + 1, found.prefix_length));
    out.Written_Until(bytes.cursor);
    bytes.cursor = out.Room_For(2 * static_cast<std::size_t>(bytes.end - tag) + element.size() +
                                2 * kLineEnd.size() + kPlainCopySlack);
    bytes.cursor = Put(bytes.cursor, kLineEnd);
    bytes.cursor = Put_Tag(tag, tag + found.length, bytes.cursor);
    bytes.cursor = Put(Put(bytes.cursor, kLineEnd), element);
    bytes.position = tag + found.length;
    element_written_ = true;
    line_open_ = true;
}

EmbedResult EmbeddingStream::Result() const {
    return element_written_ ? EmbedStatus::Written : EmbedStatus::NoContainerTag;
}

EmbeddedText Embed_Text(std::string_view input, const std::string& element_text) {
    EmbeddingStream stream(element_text);
    OutputBuffer out;
    const std::size_t used = stream.Transform(input, out);
    stream.Finish(input.substr(used), out);
    return {std::string(out.View()), stream.Element_Written()};
}

}  // namespace zaveze
