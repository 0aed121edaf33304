// SPDX-License-Identifier: MIT
#include "datetime/year_validation.h"

#include "datetime/ascii_digit.h"
#include "datetime/year_text.h"

namespace zaveze {
namespace {

// Reads digits at `pos`; returns how many there were and whether any of them was not zero.
std::size_t Read_Digits(std::string_view text, std::size_t pos, bool& non_zero) {
    std::size_t count = 0;
    while (pos + count < text.size() && Is_Digit(text[pos + count])) {
        non_zero = non_zero || text[pos + count] != '0';
        ++count;
    }
    return count;
}

struct NumberForm {
    bool is_number = false;
    bool is_whole = false;  // an optional sign and digits, nothing more
    bool is_zero = false;
};

// A number as people write it: sign, digits with an optional decimal point and fraction, and an
// optional exponent.
NumberForm Read_Number_Form(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    bool non_zero = false;
    const std::size_t whole_digits = Read_Digits(text, pos, non_zero);
    pos += whole_digits;
    const bool whole_only = whole_digits > 0 && pos == text.size();
    std::size_t fraction_digits = 0;
    if (pos < text.size() && text[pos] == '.') {
        fraction_digits = Read_Digits(text, pos + 1, non_zero);
        pos += 1 + fraction_digits;
    }
    if (whole_digits + fraction_digits == 0) {
        return {};
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        bool ignored = false;
        const std::size_t exponent_digits = Read_Digits(text, exponent, ignored);
        if (exponent_digits == 0) {
            return {};
        }
        pos = exponent + exponent_digits;
    }
    if (pos != text.size()) {
        return {};
    }
    return {true, whole_only, !non_zero};
}

}  // namespace

YearVerdict Validate_Year(std::string_view text) {
    if (Is_Blank_Year(text)) {
        return YearVerdict::Accepted;
    }
    if (const auto year = Read_Whole_Year(text)) {
        return year->digits.empty() ? YearVerdict::Zero : YearVerdict::Accepted;
    }
    // Not a whole number; other number forms of 0 (0.0, 0e3) get the zero message all the same.
    const auto form = Read_Number_Form(Trim_Year_Blanks(text));
    return form.is_number && form.is_zero ? YearVerdict::Zero : YearVerdict::NotANumber;
}

}  // namespace zaveze
