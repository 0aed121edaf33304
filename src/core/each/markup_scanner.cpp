// SPDX-License-Identifier: MIT
#include "core/each/markup_scanner.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/engine/container_locator.h"
#include "core/engine/markup_bytes.h"

namespace zaveze {
namespace {

// An end tag longer than this is text: names are short, and hostile input must not make the
// scan hold an unbounded amount of bytes.
constexpr std::size_t kLongestEndTag = 4096;
// Indentation longer than this is not kept, so a line of a million blanks costs no memory.
constexpr std::size_t kLongestIndentation = 1024;

using markup::Continues_Name;
using markup::Is_Attribute_Name_Byte;
using markup::Is_Space;
using markup::Starts_Name;

// A qualified name from `at`: its prefix (empty for none) and local name; `at` moves past it.
// No value when there is none.
std::optional<std::pair<std::string_view, std::string_view>> Read_Name(std::string_view text,
                                                                       std::size_t& at) {
    const auto read_part = [&]() -> std::string_view {
        const std::size_t from = at;
        if (at < text.size() && Starts_Name(text[at])) {
            ++at;
            while (at < text.size() && Continues_Name(text[at])) {
                ++at;
            }
        }
        return text.substr(from, at - from);
    };
    const std::string_view first = read_part();
    if (first.empty()) {
        return std::nullopt;
    }
    if (at < text.size() && text[at] == ':') {
        ++at;
        const std::string_view local = read_part();
        return local.empty() ? std::nullopt : std::optional(std::pair(first, local));
    }
    return std::pair(std::string_view(), first);
}

// The first line break in `text`, or its size: two quick searches rather than find_first_of,
// which looks for each byte in turn.
std::size_t Line_Break_In(std::string_view text) {
    const std::size_t lf = std::min(text.find('\n'), text.size());
    return std::min(text.substr(0, lf).find('\r'), lf);
}

// Where a tag's bytes need a decision: "<", ">" or a quote; the size of `text` when none.
std::size_t Tag_Decision_In(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '<' || c == '>' || c == '"' || c == '\'') {
            return at;
        }
    }
    return text.size();
}

void Skip_Spaces(std::string_view text, std::size_t& at) {
    while (at < text.size() && Is_Space(text[at])) {
        ++at;
    }
}

// Whether `text` (from "<" to ">") is a whole start tag, and what it is.
std::optional<StartTag> Parse_Start_Tag(std::string_view text) {
    std::size_t at = 1;
    const auto name = Read_Name(text, at);
    if (!name) {
        return std::nullopt;
    }
    StartTag tag;
    tag.text = text;
    tag.prefix = name->first;
    tag.name = name->second;
    for (;;) {
        const std::size_t spaces_from = at;
        Skip_Spaces(text, at);
        if (text.substr(at) == ">" || text.substr(at) == "/>") {
            tag.self_closing = text[at] == '/';
            return tag;
        }
        if (at == spaces_from || at >= text.size() || !Is_Attribute_Name_Byte(text[at])) {
            return std::nullopt;
        }
        while (at < text.size() && Is_Attribute_Name_Byte(text[at])) {
            ++at;
        }
        Skip_Spaces(text, at);
        if (at >= text.size() || text[at] != '=') {
            return std::nullopt;
        }
        ++at;
        Skip_Spaces(text, at);
        if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) {
            return std::nullopt;
        }
        const std::size_t close = text.find(text[at], at + 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        at = close + 1;
    }
}

// The qualified name of `text` (from "</" to ">") when it is a whole end tag.
std::optional<std::string_view> Parse_End_Tag(std::string_view text) {
    std::size_t at = 2;
    if (!Read_Name(text, at)) {
        return std::nullopt;
    }
    const std::string_view name = text.substr(2, at - 2);
    Skip_Spaces(text, at);
    return text.substr(at) == ">" ? std::optional(name) : std::nullopt;
}

}  // namespace

void MarkupScanner::Feed(std::string_view bytes) {
    bytes_ = bytes;
    run_from_ = 0;
    for (at_ = 0; at_ < bytes.size();) {
        if (state_ == State::Text) {
            // Text up to the next "<" at once: most of a file.
            const std::size_t open = std::min(bytes.find('<', at_), bytes.size());
            Count_Text(bytes.substr(at_, open - at_));
            at_ = open;
            if (at_ == bytes.size()) {
                break;
            }
        } else if (const std::size_t plain = Plain_Tag_Bytes(bytes); plain > 0) {
            tag_ += bytes.substr(at_, plain);
            Count_Text(bytes.substr(at_, plain));
            at_ += plain;
            run_from_ = at_;
            continue;
        }
        Take_Byte(bytes[at_]);
        ++at_;
    }
    Flush_Run(bytes.size());
    bytes_ = {};
}

void MarkupScanner::Finish() {
    if (state_ == State::Tag) {
        events_.Text(tag_);
        events_.Pass(tag_);
        tag_.clear();
        state_ = State::Text;
    }
}

void MarkupScanner::Take_Byte(char c) {
    switch (state_) {
        case State::Text:
            if (c == '<') {
                Flush_Run(at_);
                Open_Tag();
            }
            break;
        case State::Tag:
            tag_ += c;
            run_from_ = at_ + 1;
            Judge_Tag(c);
            break;
        case State::Skipped:
            if (skipped_.Step(c)) {
                Flush_Run(at_ + 1, true);
                state_ = State::Text;
            }
            break;
    }
    Count_Line(c);
}

void MarkupScanner::Open_Tag() {
    state_ = State::Tag;
    tag_.assign(1, '<');  // (not = "<": GCC 12 warns wrongly of an overlap there)
    quote_ = 0;
    run_from_ = at_ + 1;
    tag_line_ = line_;
    tag_line_initial_ = blank_so_far_;
    tag_indentation_ = indentation_;
}

// Decides, byte by byte, what the held "<" opens.
void MarkupScanner::Judge_Tag(char c) {
    const char kind = tag_[1];
    if (kind == '!' || kind == '?') {
        const SkippedMarkup::Opening opening = SkippedMarkup::Opening_Of(tag_, false);
        if (opening.verdict == SkippedMarkup::Opening::Verdict::Skipped) {
            Skip_From(opening);
        }
        return;
    }
    if (tag_.size() == 2 && kind != '/' && !Starts_Name(kind)) {
        return Not_Markup(c);
    }
    if (c == '<' || tag_.size() > (kind == '/' ? kLongestEndTag : kLongestStartTag)) {
        return Not_Markup(c);
    }
    if (kind != '/' && (c == '"' || c == '\'')) {
        if (quote_ == 0) {
            quote_ = c;  // a quoted value starts
        } else if (quote_ == c) {
            quote_ = 0;  // and ends
        }
    }
    if (c != '>' || quote_ != 0) {
        return;
    }
    if (kind == '/') {
        const auto name = Parse_End_Tag(tag_);
        if (!name) {
            return Not_Markup(c);
        }
        const std::string qualified(*name);
        events_.Pass(tag_);
        state_ = State::Text;
        events_.End_Tag(qualified);
        return;
    }
    auto tag = Parse_Start_Tag(tag_);
    if (!tag) {
        return Not_Markup(c);
    }
    tag->line = tag_line_;
    tag->line_initial = tag_line_initial_;
    tag->indentation = tag_indentation_;
    state_ = State::Text;
    events_.Start_Tag(*tag);
    events_.Pass(tag_);
    if (tag->self_closing) {
        std::string qualified(tag->prefix.empty() ? "" : std::string(tag->prefix) + ":");
        qualified += tag->name;
        events_.End_Tag(qualified);
    }
}

// The held bytes open something skipped; those after its opening are skipped bytes already.
void MarkupScanner::Skip_From(SkippedMarkup::Opening opening) {
    events_.Pass(tag_);
    state_ = State::Skipped;
    skipped_.Begin(opening.kind);
    for (const char c : std::string_view(tag_).substr(opening.length)) {
        if (state_ == State::Skipped && skipped_.Step(c)) {
            state_ = State::Text;
        }
    }
}

// The held "<" opens no tag: its bytes are text, and a "<" that ended it opens the next.
void MarkupScanner::Not_Markup(char last) {
    state_ = State::Text;
    const std::string_view text =
        last == '<' ? std::string_view(tag_).substr(0, tag_.size() - 1) : std::string_view(tag_);
    events_.Text(text);
    events_.Pass(text);
    if (last == '<') {
        Open_Tag();
    }
}

// Passes the bytes of the piece up to `end` that are not passed yet, reporting those that are
// text; `ended`: they end a skipped part.
void MarkupScanner::Flush_Run(std::size_t end, bool ended) {
    if (state_ == State::Tag || end <= run_from_) {
        run_from_ = std::max(run_from_, end);
        return;
    }
    const std::string_view run = bytes_.substr(run_from_, end - run_from_);
    if (state_ == State::Text) {
        events_.Text(run);
    } else if (skipped_.Skipping() == SkippedMarkup::Kind::CData) {
        Report_CData_Text(run, ended);
    }
    events_.Pass(run);
    run_from_ = end;
}

// A CDATA section's contents are text, its closing "]]>" is not: a "]" at a piece's end is held
// back until the next bytes show whether it closes the section.
void MarkupScanner::Report_CData_Text(std::string_view run, bool ended) {
    const std::string_view body = ended ? run.substr(0, run.size() - 1) : run;  // without ">"
    std::size_t trailing = 0;
    while (trailing < std::min<std::size_t>(2, body.size()) &&
           body[body.size() - 1 - trailing] == ']') {
        ++trailing;
    }
    if (trailing == body.size()) {
        trailing = std::min<std::size_t>(2, trailing + held_brackets_);
    }
    const std::size_t hold = ended ? 2 : trailing;  // an ended section has its "]]" here
    const std::size_t report = held_brackets_ + body.size() - hold;
    const std::size_t brackets = std::min(report, held_brackets_);
    if (brackets > 0) {
        events_.Text(std::string(brackets, ']'));
    }
    if (report > brackets) {
        events_.Text(body.substr(0, report - brackets));
    }
    held_brackets_ = ended ? 0 : hold;
}

// How many bytes from `at_` on a start or end tag takes without a decision: those before the
// next "<", ">" or quote, within the tag's longest length.
std::size_t MarkupScanner::Plain_Tag_Bytes(std::string_view bytes) const {
    if (state_ != State::Tag || tag_.size() < 2 || (tag_[1] != '/' && !Starts_Name(tag_[1]))) {
        return 0;
    }
    const std::size_t longest = tag_[1] == '/' ? kLongestEndTag : kLongestStartTag;
    return std::min(Tag_Decision_In(bytes.substr(at_)),
                    longest > tag_.size() ? longest - tag_.size() : 0);
}

// Counts the lines of text without "<" as Count_Line would, a line at a time.
void MarkupScanner::Count_Text(std::string_view text) {
    while (!text.empty()) {
        const std::size_t line_end = Line_Break_In(text);
        const std::string_view part = text.substr(0, line_end);
        if (!part.empty()) {
            if (!ending_known_ && !line_ending_.empty()) {
                ending_known_ = true;  // a CR followed by no LF
            }
            after_cr_ = false;
            const std::size_t blanks = std::min(part.find_first_not_of(" \t"), part.size());
            if (!blank_so_far_ || blanks < part.size() ||
                indentation_.size() + blanks > kLongestIndentation) {
                blank_so_far_ = false;
                indentation_.clear();
            } else {
                indentation_ += part;
            }
        }
        if (line_end == text.size()) {
            return;
        }
        Count_Line(text[line_end]);
        text.remove_prefix(line_end + 1);
    }
}

void MarkupScanner::Count_Line(char c) {
    if (!ending_known_ && !line_ending_.empty()) {
        ending_known_ = true;
        if (c == '\n' && after_cr_) {
            line_ending_ = "\r\n";
        }
    }
    if (c == '\n' || c == '\r') {
        if (line_ending_.empty()) {
            line_ending_ = c;
            ending_known_ = c == '\n';
        }
        if (c == '\r' || !after_cr_) {
            ++line_;
        }
        after_cr_ = c == '\r';
        blank_so_far_ = true;
        indentation_.clear();
        return;
    }
    after_cr_ = false;
    if (blank_so_far_ && (c == ' ' || c == '\t') && indentation_.size() < kLongestIndentation) {
        indentation_ += c;  // longer indentation counts as none
    } else {
        blank_so_far_ = false;
        indentation_.clear();
    }
}

}  // namespace zaveze
