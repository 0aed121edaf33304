// SPDX-License-Identifier: MIT
#include "datetime/year_text.h"

#include <algorithm>

#include "datetime/ascii_digit.h"

namespace zaveze {

std::string_view Trim_Year_Blanks(std::string_view typed) {
    const auto first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
}

bool Is_Blank_Year(std::string_view typed) {
    return Trim_Year_Blanks(typed).empty();
}

std::optional<WholeYear> Read_Whole_Year(std::string_view typed) {
    std::string_view text = Trim_Year_Blanks(typed);
    WholeYear year;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        year.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), Is_Digit)) {
        return std::nullopt;
    }
    const auto first_significant = text.find_first_not_of('0');
    if (first_significant != std::string_view::npos) {
        year.digits = text.substr(first_significant);
    }
    return year;
}

}  // namespace zaveze
