// SPDX-License-Identifier: MIT
#pragma once
// The embeddings that keep every byte, written the plain way: the whole text is cut into tokens
// with regular expressions, the elements are made into a tree, each feature's element and place
// are worked out from its children, and the elements are put into a copy of the text. It is
// slow and holds everything in memory, and it is written apart from the streaming engine, which
// is checked against it. Dates are read by the same date search (tested on its own).

#include <cstdint>
#include <optional>
#include <string>

#include "datetime/time_mode.h"

namespace zaveze::testing {

struct ModelFeatureTimes {
    TimeMode mode = TimeMode::TimeStamp;
    std::optional<std::string> stamp, begin, end;  // "data:NAME", "name" or "description"
    std::optional<std::string> zone;               // "+05:30"
};

struct ModelFeatureResult {
    std::string text;
    std::uint64_t timed = 0, already_timed = 0, without_date = 0;
};

// Each feature's own time.
ModelFeatureResult Model_Time_Features(const std::string& input, const ModelFeatureTimes& times);

// One element (one line, without a prefix) in the first container; no value without one.
std::optional<std::string> Model_Keep_Layout(const std::string& input, const std::string& element);

}  // namespace zaveze::testing
