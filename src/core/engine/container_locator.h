// SPDX-License-Identifier: MIT
#pragma once
// Finds the container tag that receives the time element: the first start tag of a container
// (Document, Folder, Placemark, ScreenOverlay, GroundOverlay, PhotoOverlay, NetworkLink) as an
// XML reader sees it. A plain-text match would also take a tag inside a comment, miss one with
// attributes (<Document id="doc">) or a namespace prefix (<kml:Document>), and could not tell
// <NetworkLinkControl> from <NetworkLink>.
//
// The rule is defined for any bytes, well-formed or not, by one scan from the start:
//  - comments, CDATA sections, processing instructions and declarations are skipped
//    (skipped_markup.h);
//  - a container start tag is "<", an optional prefix and ":" (an ASCII letter or "_", then
//    letters, digits, "_", "-", "."), one of the seven names, attributes each after whitespace
//    (name, optional whitespace, "=", optional whitespace, a quoted value without "<" or its
//    quote), optional whitespace and ">";
//  - anything else that starts with "<" is no container; the scan goes on after that "<".

#include <cstddef>
#include <string_view>

#include "core/engine/container_tags.h"
#include "core/engine/skipped_markup.h"

namespace zaveze {

// A tag longer than this is taken for no container, so that hostile input cannot make the scan
// hold an unbounded amount of bytes while it waits to see a tag's end.
inline constexpr std::size_t kLongestStartTag = 1 << 20;

struct StartTagMatch {
    TagMatch match = TagMatch::None;
    std::size_t length = 0;         // the whole tag, "<" to ">", for a full match
    std::size_t prefix_length = 0;  // the namespace prefix without its ":", 0 for none
};

// Whether `text`, from its first byte (a "<") on, is a container start tag.
StartTagMatch Match_Container_Start_Tag(std::string_view text);

class ContainerLocator {
  public:
    struct Step {
        enum class Kind {
            Searched,  // none of the bytes starts the tag
            Found,     // the tag starts at `at`
            NeedMore,  // the bytes from `at` on cannot tell yet: offer them again with more
        };
        Kind kind = Kind::Searched;
        std::size_t at = 0;
        std::size_t length = 0;         // the tag's, when found
        std::size_t prefix_length = 0;  // its prefix's, when found
    };

    // Scans the file's next bytes: those after the ones scanned before, or from where the last
    // step asked for more. `at_end`: they are the file's last.
    Step Scan(std::string_view bytes, bool at_end);

  private:
    SkippedMarkup skipped_;  // a comment, CDATA section, ... the scan is inside
};

}  // namespace zaveze
