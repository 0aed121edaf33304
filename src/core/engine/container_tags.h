// SPDX-License-Identifier: MIT
#pragma once
// The plain container tags, and the one matcher that recognises them: the embedding puts each of
// them on a line of its own wherever it stands, also in a comment. They are matched exactly. Which
// tag receives the time element is the locator's rule (container_locator.h), which also takes
// tags with attributes or a namespace prefix.

#include <array>
#include <string_view>

namespace zaveze {

inline constexpr std::array<std::string_view, 7> kContainerTags = {
    "<Document>",      "<Folder>",       "<Placemark>",   "<ScreenOverlay>",
    "<GroundOverlay>", "<PhotoOverlay>", "<NetworkLink>",
};

// Words whose presence anywhere in a file means it already carries time data.
inline constexpr std::array<std::string_view, 2> kTimeDataMarkers = {"TimeStamp", "TimeSpan"};

enum class TagMatch {
    None,     // the bytes are no container tag
    Partial,  // the bytes end before they can tell: they are the start of a container tag
    Full,     // the bytes start with a container tag
};

struct ContainerTagMatch {
    TagMatch match = TagMatch::None;
    std::string_view tag;  // the tag, for a full match
};

// Whether `text`, from its first byte on, is a container tag. Inline: the embedding asks this at
// every "<" that is followed by a tag's first letter.
inline ContainerTagMatch Match_Container_Tag(std::string_view text) {
    ContainerTagMatch result;
    for (std::string_view candidate : kContainerTags) {
        if (text.size() >= candidate.size()) {
            if (text.starts_with(candidate)) {
                return {TagMatch::Full, candidate};
            }
        } else if (candidate.starts_with(text)) {
            result.match = TagMatch::Partial;
        }
    }
    return result;
}

}  // namespace zaveze
