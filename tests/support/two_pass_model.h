// SPDX-License-Identifier: MIT
#pragma once
// The embedding written the plain way: read the input line by line, put every container tag on a
// line of its own into a scratch text, then copy the scratch text line by line and place the time
// element after the first line that is a container tag. It is slow and holds everything in
// memory, and it is obviously right; the real engine is checked against it.

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

// Lines as the reader sees them: a line ends at CR or CR LF, a lone LF stays in the line.
std::vector<std::string> Model_Read_Lines(const std::string& bytes);

std::string Model_Splitting_Pass(const std::string& input);
std::string Model_Copying_Pass(const std::string& scratch, const ModelElement& element);

inline std::string Model_Embed(const std::string& input, const ModelElement& element) {
    return Model_Copying_Pass(Model_Splitting_Pass(input), element);
}

}  // namespace zaveze::testing
