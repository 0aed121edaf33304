// SPDX-License-Identifier: MIT
#include "datetime/date_text.h"

#include <algorithm>

#include "datetime/ascii_digit.h"
#include "datetime/calendar.h"
#include "datetime/year_text.h"

namespace zaveze {
namespace {

bool Is_Two_Digits(std::string_view text) {
    return text.size() == 2 && Is_Digit(text[0]) && Is_Digit(text[1]);
}

}  // namespace

std::string Year_For_Date(std::string_view typed_year) {
    const auto number = Read_Whole_Year(typed_year);
    if (!number) {
        return std::string(Trim_Year_Blanks(typed_year));
    }
    std::string digits = number->digits;
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), '0');
    }
    return (number->negative && !number->digits.empty() ? "-" : "") + digits;
}

std::string Build_Date_Text(const DateParts& parts) {
    if (Trim_Year_Blanks(parts.year).empty()) {
        return {};
    }
    std::string text = Year_For_Date(parts.year);
    if (!parts.month.empty()) {
        text += "-" + parts.month;
        if (!parts.day.empty()) {
            text += "-" + parts.day;
        }
    }
    return text;
}

std::optional<DateParts> Parse_Date_Text(std::string_view text) {
    // The year may carry a sign, so its end is the first "-" after the first character.
    const auto year_end = text.find('-', 1);
    DateParts parts{std::string(text.substr(0, year_end)), {}, {}};
    if (!Read_Whole_Year(parts.year) || parts.year != Trim_Year_Blanks(parts.year)) {
        return std::nullopt;
    }
    if (year_end == std::string_view::npos) {
        return parts;
    }
    std::string_view rest = text.substr(year_end + 1);
    const auto month_end = rest.find('-');
    parts.month = std::string(rest.substr(0, month_end));
    const auto months = Month_Entries();
    if (std::find(months.begin(), months.end(), parts.month) == months.end()) {
        return std::nullopt;
    }
    if (month_end == std::string_view::npos) {
        return parts;
    }
    parts.day = std::string(rest.substr(month_end + 1));
    const auto days = Day_Entries(parts.month, parts.year);
    if (!Is_Two_Digits(parts.day) || std::find(days.begin(), days.end(), parts.day) == days.end()) {
        return std::nullopt;
    }
    return parts;
}

bool Is_Full_Date(std::string_view date_text) {
    const auto parts = Parse_Date_Text(date_text);
    return parts && !parts->day.empty();
}

int Compare_Year_Values(std::string_view a, std::string_view b) {
    const auto x = Read_Whole_Year(a).value_or(WholeYear{});
    const auto y = Read_Whole_Year(b).value_or(WholeYear{});
    const auto sign_of = [](const WholeYear& n) {
        return n.digits.empty() ? 0 : (n.negative ? -1 : 1);
    };
    if (sign_of(x) != sign_of(y)) {
        return sign_of(x) < sign_of(y) ? -1 : 1;
    }
    int magnitude = 0;
    if (x.digits.size() != y.digits.size()) {
        magnitude = x.digits.size() < y.digits.size() ? -1 : 1;
    } else {
        magnitude = x.digits.compare(y.digits);
        magnitude = (magnitude > 0) - (magnitude < 0);
    }
    return sign_of(x) < 0 ? -magnitude : magnitude;
}

}  // namespace zaveze
