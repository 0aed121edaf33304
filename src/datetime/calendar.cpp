// SPDX-License-Identifier: MIT
#include "datetime/calendar.h"

#include "datetime/year_text.h"

#include <algorithm>

namespace zaveze {
namespace {

std::string Two_Digits(int number) {
    return std::string(1, static_cast<char>('0' + number / 10)) +
           static_cast<char>('0' + number % 10);
}

std::vector<std::string> Numbered_Entries(int last) {
    std::vector<std::string> entries;
    for (int number = 1; number <= last; ++number) {
        entries.push_back(Two_Digits(number));
    }
    return entries;
}

int Days_In_Month(std::string_view month, bool leap_year) {
    static constexpr std::string_view kLongMonths[] = {"01", "03", "05", "07", "08", "10", "12"};
    if (month == "02") {
        return leap_year ? 29 : 28;
    }
    return std::find(std::begin(kLongMonths), std::end(kLongMonths), month) != std::end(kLongMonths)
               ? 31
               : 30;
}

}  // namespace

std::vector<std::string> Month_Entries() {
    return Numbered_Entries(12);
}

std::vector<std::string> Day_Entries(std::string_view month, std::string_view year) {
    return Numbered_Entries(Days_In_Month(month, Is_Leap_Year(year)));
}

bool Is_Leap_Year(std::string_view year) {
    const auto value = Read_Whole_Year(year);
    if (!value) {
        return false;
    }
    // Divisibility by 4, 100 and 400 follows from the value modulo 400, which stays small
    // however many digits the year has.
    int remainder = 0;
    for (char digit : value->digits) {
        remainder = (remainder * 10 + (digit - '0')) % 400;
    }
    return remainder % 4 == 0 && (remainder % 100 != 0 || remainder == 0);
}

}  // namespace zaveze
