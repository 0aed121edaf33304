// SPDX-License-Identifier: MIT
#pragma once
// The markup that every scan for tags passes over as an XML reader does, one rule for the
// container locator and the markup scanner: "<!--" to the next "-->", "<![CDATA[" to the next
// "]]>", "<?" to the next "?>", "<!DOCTYPE" past its internal subset ("[" ... "]") and the ">"
// after it, any other "<!" to the next ">"; without its end, the rest of the file.

#include <cstddef>
#include <string_view>

namespace zaveze {

class SkippedMarkup {
  public:
    enum class Kind { Comment, CData, Instruction, Doctype, Declaration };

    // What the bytes from a "<" on open.
    struct Opening {
        enum class Verdict {
            None,       // nothing skipped: a tag, or text
            Undecided,  // the bytes end before they can tell
            Skipped,    // a skipped part of `kind`, whose opening is `length` bytes
        };
        Verdict verdict = Verdict::None;
        Kind kind = Kind::Declaration;
        std::size_t length = 0;
    };
    // `at_end`: no byte follows `text`, so an opening cut short is none.
    static Opening Opening_Of(std::string_view text, bool at_end);

    // Starts skipping a part of `kind`, after its opening.
    void Begin(Kind kind);
    bool Active() const { return active_; }
    Kind Skipping() const { return kind_; }
    // Passes over the part's next byte; true when the byte ends the part.
    bool Step(char c);

  private:
    bool active_ = false;
    Kind kind_ = Kind::Declaration;
    int run_ = 0;             // the closing "-", "]" or "?" just seen
    bool in_subset_ = false;  // a DOCTYPE's "[" ... "]"
    bool past_subset_ = false;
};

}  // namespace zaveze
