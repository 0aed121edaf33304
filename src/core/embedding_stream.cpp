#include "core/embedding_stream.h"

#include <algorithm>
#include <cstring>

#include "core/container_tags.h"

namespace zaveze {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

enum class TagMatch { None, Partial, Full };

// Whether the bytes at the front of `text` (which starts with "<") are a container tag, could
// become one with more bytes, or are none.
TagMatch Match_Container_Tag(std::string_view text, std::string_view& tag) {
    TagMatch best = TagMatch::None;
    for (std::string_view candidate : kContainerTags) {
        if (text.size() >= candidate.size()) {
            if (text.compare(0, candidate.size(), candidate) == 0) {
                tag = candidate;
                return TagMatch::Full;
            }
        } else if (candidate.compare(0, text.size(), text) == 0) {
            best = TagMatch::Partial;
        }
    }
    return best;
}

// Finds a byte with memchr and remembers where, so each byte of a block is searched once for
// each of the three bytes that matter.
class NextByte {
public:
    explicit NextByte(char wanted) : wanted_(wanted) {}
    const char* From(const char* position, const char* end) {
        if (found_ == nullptr || found_ < position) {
            const void* hit = std::memchr(position, wanted_, static_cast<std::size_t>(end - position));
            found_ = hit ? static_cast<const char*>(hit) : end;
        }
        return found_;
    }

private:
    char wanted_;
    const char* found_ = nullptr;
};

}  // namespace

EmbeddingStream::EmbeddingStream(std::string element_text) : element_text_(std::move(element_text)) {}

std::size_t EmbeddingStream::Transform(std::string_view input, std::string& out) {
    return Run(input, false, out);
}

void EmbeddingStream::Finish(std::string_view last_bytes, std::string& out) {
    Run(last_bytes, true, out);
    if (line_open_) {
        out += kLineEnd;
        line_open_ = false;
    }
}

std::size_t EmbeddingStream::Run(std::string_view input, bool at_end, std::string& out) {
    const char* const begin = input.data();
    const char* const end = begin + input.size();
    const char* position = begin;
    NextByte next_cr('\r'), next_lf('\n'), next_tag('<');

    if (after_line_end_cr_ && position < end) {
        after_line_end_cr_ = false;
        if (*position == '\n') {
            ++position;
        }
    }
    while (position < end) {
        const char* special =
            std::min({next_cr.From(position, end), next_lf.From(position, end), next_tag.From(position, end)});
        out.append(position, special);
        line_open_ = line_open_ || special > position;
        if (special == end) {
            return input.size();
        }
        position = special + 1;
        switch (*special) {
            case '\r':
                out += kLineEnd;
                line_open_ = false;
                if (position == end) {
                    after_line_end_cr_ = true;
                } else if (*position == '\n') {
                    ++position;
                }
                break;
            case '\n':
                // A lone LF does not end the line; it is written as a line break inside it.
                out += kLineEnd;
                line_open_ = true;
                break;
            default: {
                std::string_view tag;
                const auto match = Match_Container_Tag(std::string_view(special, end - special), tag);
                if (match == TagMatch::Partial && !at_end) {
                    return static_cast<std::size_t>(special - begin);
                }
                line_open_ = true;
                if (match != TagMatch::Full) {
                    out += '<';
                    break;
                }
                out += kLineEnd;
                out += tag;
                out += kLineEnd;
                if (!element_written_) {
                    out += element_text_;
                    element_written_ = true;
                }
                position = special + tag.size();
                break;
            }
        }
    }
    return input.size();
}

EmbeddedText Embed_Text(std::string_view input, const std::string& element_text) {
    EmbeddingStream stream(element_text);
    EmbeddedText result;
    const std::size_t used = stream.Transform(input, result.text);
    stream.Finish(input.substr(used), result.text);
    result.element_written = stream.Element_Written();
    return result;
}

}  // namespace zaveze
