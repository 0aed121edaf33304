// SPDX-License-Identifier: MIT
#pragma once
// The one reader of typed years. A year is a whole number: an optional sign and digits, with
// blanks and tabs around it ignored. Every rule about years (validation, the date text, leap
// years, ordering) reads them here.

#include <optional>
#include <string>
#include <string_view>

namespace zaveze {

struct WholeYear {
    bool negative = false;
    std::string digits;  // without leading zeros; empty for zero
};

// The text without the blanks and tabs around it.
std::string_view Trim_Year_Blanks(std::string_view typed);

// True when the text holds no year at all: it is empty or nothing but blanks and tabs.
bool Is_Blank_Year(std::string_view typed);

// The year's value; none for a text that is not a whole number (a blank one included).
std::optional<WholeYear> Read_Whole_Year(std::string_view typed);

}  // namespace zaveze
