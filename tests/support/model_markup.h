// SPDX-License-Identifier: MIT
#pragma once
// KML text cut into tokens the plain way, with regular expressions, for the models: start and end
// tags, text, CDATA sections, and the markup a reader skips (comments, processing instructions,
// declarations and the document type with its internal subset).

#include <set>
#include <string>
#include <vector>

namespace zaveze::testing {

// The features that take a time element; the first of them in a file is its container.
inline const std::set<std::string> kModelFeatures{"Document",      "Folder",        "Placemark",
                                                  "ScreenOverlay", "GroundOverlay", "PhotoOverlay",
                                                  "NetworkLink"};

struct ModelToken {
    enum Kind { Start, End, Text, CData, Skipped } kind;
    std::size_t begin = 0, end = 0;
    std::string prefix, name;  // tags
    bool self_closing = false;
    std::string text;  // text, a CDATA section's contents, an end tag's qualified name
};

// The tokens of `text` in order; a "<" that starts no markup is text. Tags longer than the
// engine holds are text too.
std::vector<ModelToken> Model_Tokens(const std::string& text);

}  // namespace zaveze::testing
