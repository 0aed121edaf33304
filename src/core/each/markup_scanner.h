// SPDX-License-Identifier: MIT
#pragma once
// Reads KML text as an XML reader sees its markup, one piece at a time, for the embeddings that
// keep every byte: start tags (with their prefix, name and attributes), end tags and text, with
// each tag's line and indentation. Comments, CDATA sections, processing instructions and
// declarations are skipped by the rule the container locator skips them by (skipped_markup.h),
// so that both agree on which tag is the file's first container; the contents of a CDATA
// section are text. A tag is a start tag when it follows the locator's grammar with any name
// ("<", optional prefix and ":", a name, attributes, optional "/", ">"), an end tag when it is
// "</", a name, optional whitespace and ">"; any other "<" is text.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/engine/skipped_markup.h"

namespace zaveze {

struct StartTag {
    std::string_view text;    // from "<" to ">"
    std::string_view prefix;  // without its ":"
    std::string_view name;    // the local name
    bool self_closing = false;
    std::uint64_t line = 0;        // the line of its "<", from 1
    bool line_initial = false;     // only blanks (spaces, tabs) stand before it on its line
    std::string_view indentation;  // those blanks
};

class MarkupEvents {
  public:
    virtual ~MarkupEvents() = default;
    // Every byte of the text, in order.
    virtual void Pass(std::string_view bytes) = 0;
    // A start tag, before its bytes are passed.
    virtual void Start_Tag(const StartTag& tag) = 0;
    // An end tag, after its bytes are passed; also the end of a self-closing tag.
    virtual void End_Tag(std::string_view qualified_name) = 0;
    // Character data, and the contents of CDATA sections (without "]]>"), as they are passed.
    virtual void Text(std::string_view text) = 0;
};

class MarkupScanner {
  public:
    explicit MarkupScanner(MarkupEvents& events) : events_(events) {}

    void Feed(std::string_view bytes);
    // The text has ended: an unfinished tag is passed as text.
    void Finish();

    // The text's first line ending ("\r\n", "\n" or "\r"); "\n" while none has been seen.
    std::string_view Line_Ending() const {
        return line_ending_.empty() ? std::string_view("\n") : std::string_view(line_ending_);
    }

  private:
    enum class State {
        Text,
        Tag,      // from a "<" on, held until it is known what it opens
        Skipped,  // in a comment, CDATA section, ... (`skipped_`)
    };
    void Take_Byte(char c);
    void Count_Line(char c);
    void Count_Text(std::string_view text);
    std::size_t Plain_Tag_Bytes(std::string_view bytes) const;
    void Open_Tag();
    void Judge_Tag(char c);
    void Skip_From(SkippedMarkup::Opening opening);
    void Not_Markup(char last);
    void Flush_Run(std::size_t end, bool ended = false);
    void Report_CData_Text(std::string_view run, bool ended);

    MarkupEvents& events_;
    State state_ = State::Text;
    std::string_view bytes_;    // the piece being read
    std::size_t run_from_ = 0;  // where the bytes not yet passed begin in it
    std::size_t at_ = 0;
    std::string tag_;  // a tag's bytes so far, from its "<"
    char quote_ = 0;   // the quote of an attribute value the tag is in, 0 outside
    SkippedMarkup skipped_;
    std::size_t held_brackets_ = 0;  // a CDATA section's last "]"s, not yet reported
    // Lines.
    std::uint64_t line_ = 1;
    bool after_cr_ = false;
    std::string line_ending_;
    bool ending_known_ = false;  // a CR may still be followed by its LF
    bool blank_so_far_ = true;   // the current line holds only blanks so far
    std::string indentation_;
    // The tag's place, from its "<".
    std::uint64_t tag_line_ = 0;
    bool tag_line_initial_ = false;
    std::string tag_indentation_;
};

}  // namespace zaveze
