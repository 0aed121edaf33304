#pragma once
// The opening tags after which a time element may be placed. They are matched exactly: a tag with
// attributes, a namespace prefix or other letter case does not count.

#include <array>
#include <string_view>

namespace zaveze {

inline constexpr std::array<std::string_view, 7> kContainerTags = {
    "<Document>",      "<Folder>",       "<Placemark>",   "<ScreenOverlay>",
    "<GroundOverlay>", "<PhotoOverlay>", "<NetworkLink>",
};

// The longest of the tags; a reader that looks for them across block boundaries keeps this many
// bytes minus one.
inline constexpr std::size_t kLongestContainerTag = 15;

// Words whose presence anywhere in a file means it already carries time data.
inline constexpr std::array<std::string_view, 2> kTimeDataMarkers = {"TimeStamp", "TimeSpan"};

}  // namespace zaveze
