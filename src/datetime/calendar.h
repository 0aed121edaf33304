// SPDX-License-Identifier: MIT
#pragma once
// The entries of the month and day lists.

#include <string>
#include <string_view>
#include <vector>

namespace zaveze {

// "01" to "12".
std::vector<std::string> Month_Entries();

// The days that a month has, "01" to "28", "30" or "31"; February has "29" when the year is a
// leap year of the Gregorian calendar. An empty or unreadable year counts as a common year.
std::vector<std::string> Day_Entries(std::string_view month, std::string_view year);

// The Gregorian leap-year rule for a whole-number year text of any length or sign.
bool Is_Leap_Year(std::string_view year);

}  // namespace zaveze
