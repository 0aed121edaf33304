// SPDX-License-Identifier: MIT
#pragma once
// Date texts as they are written into KML and into output names: a year, optionally "-" and a
// two-digit month, optionally "-" and a two-digit day (2007, 2007-10, 2007-10-02).

#include <optional>
#include <string>
#include <string_view>

namespace zaveze {

// The parts of a date as the date controls hold them; month and day are two-digit texts or empty.
struct DateParts {
    std::string year;
    std::string month;
    std::string day;
};

// The year as a KML date writes it: blanks around it and a plus sign dropped, the minus sign
// kept, at least four digits (785 gives 0785, -44 gives -0044). A text that is not a whole
// number is returned trimmed but otherwise as it is.
std::string Year_For_Date(std::string_view typed_year);

// The date text of the parts; empty when no year is given. A day counts only with a month.
std::string Build_Date_Text(const DateParts& parts);

// Reads "[sign]digits[-MM[-DD]]" back into its parts. The month must be 01 to 12 and the day
// one that the month has in that year; anything else gives no value.
std::optional<DateParts> Parse_Date_Text(std::string_view text);

// True for a date text with year, month and day.
bool Is_Full_Date(std::string_view date_text);

// Orders two whole-number year texts by value: negative, zero or positive like strcmp.
int Compare_Year_Values(std::string_view a, std::string_view b);

}  // namespace zaveze
