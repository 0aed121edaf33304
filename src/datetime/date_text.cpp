#include "datetime/date_text.h"

#include <algorithm>

#include "datetime/calendar.h"

namespace zaveze {
namespace {

struct WholeNumber {
    bool negative = false;
    std::string digits;  // without leading zeros; empty for zero
};

bool Is_Digit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim_Blanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<WholeNumber> Read_Whole_Number(std::string_view text) {
    text = Trim_Blanks(text);
    WholeNumber number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), Is_Digit)) {
        return std::nullopt;
    }
    const auto first_significant = text.find_first_not_of('0');
    if (first_significant != std::string_view::npos) {
        number.digits = text.substr(first_significant);
    }
    return number;
}

bool Is_Two_Digits(std::string_view text) {
    return text.size() == 2 && Is_Digit(text[0]) && Is_Digit(text[1]);
}

}  // namespace

std::string Year_For_Date(std::string_view typed_year) {
    const auto number = Read_Whole_Number(typed_year);
    if (!number) {
        return std::string(Trim_Blanks(typed_year));
    }
    std::string digits = number->digits;
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), '0');
    }
    return (number->negative && !number->digits.empty() ? "-" : "") + digits;
}

std::string Build_Date_Text(const DateParts& parts) {
    if (Trim_Blanks(parts.year).empty()) {
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
    if (!Read_Whole_Number(parts.year) || parts.year != Trim_Blanks(parts.year)) {
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
    const auto x = Read_Whole_Number(a).value_or(WholeNumber{});
    const auto y = Read_Whole_Number(b).value_or(WholeNumber{});
    const auto sign_of = [](const WholeNumber& n) {
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
