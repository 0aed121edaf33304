// SPDX-License-Identifier: MIT
#pragma once
// The embedding written the plain way: read the input line by line, put every container tag on a
// line of its own into a scratch text, then copy the scratch text line by line and place the time
// element after the line that ends with the chosen container tag. It is slow and holds everything
// in memory, and it is obviously right; the real engine is checked against it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "datetime/time_mode.h"

namespace zaveze::testing {

// The element's values with their times already joined; an empty value means no date.
struct ModelElement {
    TimeMode mode = TimeMode::TimeSpan;
    std::string begin;
    std::string end;
};

// The container start tag that receives the element, found as an XML reader would, skipping
// comments, CDATA sections, processing instructions and declarations.
struct ModelTag {
    std::size_t begin = 0;  // its "<"
    std::size_t end = 0;    // after its ">"
    std::string prefix;     // its namespace prefix, without the ":"
};
std::optional<ModelTag> Model_Chosen_Tag(const std::string& input);

// The splitting pass: plain tags and the chosen tag each on lines of their own.
struct ModelScratch {
    std::string text;
    std::optional<std::size_t> element_line;  // the line (from 0) that ends with the chosen tag
};
ModelScratch Model_Splitting_Pass(const std::string& input, const std::optional<ModelTag>& chosen);
std::string Model_Copying_Pass(const ModelScratch& scratch, const ModelElement& element,
                               const std::string& prefix);

inline std::string Model_Embed(const std::string& input, const ModelElement& element) {
    const std::optional<ModelTag> chosen = Model_Chosen_Tag(input);
    return Model_Copying_Pass(Model_Splitting_Pass(input, chosen), element,
                              chosen ? chosen->prefix : "");
}

}  // namespace zaveze::testing
