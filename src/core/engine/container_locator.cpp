// SPDX-License-Identifier: MIT
#include "core/engine/container_locator.h"

#include <algorithm>
#include <optional>

#include "core/engine/markup_bytes.h"

namespace zaveze {
namespace {

using markup::Is_Attribute_Name_Byte;
using markup::Is_Space;

// Reads a tag from its "<" on; every step that runs out of bytes makes the match Partial.
class TagReader {
  public:
    explicit TagReader(std::string_view text) : text_(text) {}

    bool Out_Of_Bytes() const { return at_ >= text_.size(); }
    char Next() const { return text_[at_]; }
    std::size_t At() const { return at_; }
    std::string_view Rest() const { return text_.substr(at_); }
    void Advance(std::size_t count = 1) { at_ += count; }
    std::size_t Skip_While(bool (*is)(char)) {
        const std::size_t from = at_;
        while (!Out_Of_Bytes() && is(Next())) {
            ++at_;
        }
        return at_ - from;
    }

  private:
    std::string_view text_;
    std::size_t at_ = 1;  // after the "<"
};

// The length of the prefix before ":", or 0 when the name has none; nothing when the bytes end
// before that can be told.
std::optional<std::size_t> Read_Prefix(TagReader& tag) {
    if (tag.Out_Of_Bytes() || !markup::Starts_Name(tag.Next())) {
        return 0;
    }
    TagReader ahead = tag;
    const std::size_t length = ahead.Skip_While(markup::Continues_Name);
    if (ahead.Out_Of_Bytes()) {
        return std::nullopt;
    }
    if (ahead.Next() != ':') {
        return 0;
    }
    tag.Advance(length + 1);
    return length;
}

TagMatch Read_Name(TagReader& tag) {
    const std::string_view rest = tag.Rest();
    TagMatch match = TagMatch::None;
    for (std::string_view container : kContainerTags) {
        const std::string_view name = container.substr(1, container.size() - 2);
        if (rest.starts_with(name)) {
            tag.Advance(name.size());
            return TagMatch::Full;
        }
        if (name.starts_with(rest)) {
            match = TagMatch::Partial;
        }
    }
    return match;
}

// One attribute, from its name to its closing quote.
TagMatch Read_Attribute(TagReader& tag) {
    tag.Skip_While(Is_Attribute_Name_Byte);
    tag.Skip_While(Is_Space);
    if (tag.Out_Of_Bytes()) {
        return TagMatch::Partial;
    }
    if (tag.Next() != '=') {
        return TagMatch::None;
    }
    tag.Advance();
    tag.Skip_While(Is_Space);
    if (tag.Out_Of_Bytes()) {
        return TagMatch::Partial;
    }
    const char quote = tag.Next();
    if (quote != '"' && quote != '\'') {
        return TagMatch::None;
    }
    tag.Advance();
    const std::size_t close = tag.Rest().find_first_of(quote == '"' ? "\"<" : "'<");
    if (close == std::string_view::npos) {
        return TagMatch::Partial;
    }
    if (tag.Rest()[close] == '<') {
        return TagMatch::None;
    }
    tag.Advance(close + 1);
    return TagMatch::Full;
}

StartTagMatch Read_Start_Tag(std::string_view text) {
    TagReader tag(text);
    const std::optional<std::size_t> prefix = Read_Prefix(tag);
    if (!prefix) {
        return {TagMatch::Partial};
    }
    if (const TagMatch name = Read_Name(tag); name != TagMatch::Full) {
        return {name};
    }
    for (;;) {
        const std::size_t spaces = tag.Skip_While(Is_Space);
        if (tag.Out_Of_Bytes()) {
            return {TagMatch::Partial};
        }
        if (tag.Next() == '>') {
            return {TagMatch::Full, tag.At() + 1, *prefix};
        }
        if (spaces == 0 || !Is_Attribute_Name_Byte(tag.Next())) {
            return {TagMatch::None};
        }
        if (const TagMatch attribute = Read_Attribute(tag); attribute != TagMatch::Full) {
            return {attribute};
        }
    }
}

}  // namespace

StartTagMatch Match_Container_Start_Tag(std::string_view text) {
    const bool beyond_limit = text.size() > kLongestStartTag;
    StartTagMatch match = Read_Start_Tag(text.substr(0, kLongestStartTag));
    if (match.match == TagMatch::Partial && beyond_limit) {
        match.match = TagMatch::None;
    }
    return match;
}

ContainerLocator::Step ContainerLocator::Scan(std::string_view bytes, bool at_end) {
    using Verdict = SkippedMarkup::Opening::Verdict;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (skipped_.Active()) {
            while (at < bytes.size() && !skipped_.Step(bytes[at])) {
                ++at;
            }
            at = std::min(at + 1, bytes.size());
            continue;
        }
        const std::size_t open = bytes.find('<', at);
        if (open == std::string_view::npos) {
            break;
        }
        const std::string_view rest = bytes.substr(open);
        at = open + 1;
        const SkippedMarkup::Opening opening = SkippedMarkup::Opening_Of(rest, at_end);
        if (opening.verdict == Verdict::Undecided) {
            return {Step::Kind::NeedMore, open};
        }
        if (opening.verdict == Verdict::Skipped) {
            skipped_.Begin(opening.kind);
            at = open + opening.length;
            continue;
        }
        const StartTagMatch tag = Match_Container_Start_Tag(rest);
        if (tag.match == TagMatch::Full) {
            return {Step::Kind::Found, open, tag.length, tag.prefix_length};
        }
        if (tag.match == TagMatch::Partial && !at_end) {
            return {Step::Kind::NeedMore, open};
        }
    }
    return {Step::Kind::Searched, bytes.size()};
}

}  // namespace zaveze
