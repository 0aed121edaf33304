// SPDX-License-Identifier: MIT
#include "datetime/calendar.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

// The days of a month, from "01": Gregorian leap years of any length and sign; no year is none.
TEST(DayEntries, HoldTheDaysOfTheMonth) {
    const struct {
        std::string month, year;
        std::size_t count;
    } cases[] = {{"01", "2007", 31}, {"04", "2007", 30}, {"12", "2007", 31},
                 {"02", "2007", 28}, {"02", "2008", 29}, {"02", "2000", 29},
                 {"02", "1900", 28}, {"02", "-44", 29},  {"02", "", 28}};
    for (const auto& [month, year, count] : cases) {
        const auto days = Day_Entries(month, year);
        ASSERT_EQ(days.size(), count) << year << "-" << month;
        EXPECT_EQ(days.front(), "01");
        EXPECT_EQ(days.back(), std::to_string(count));
    }
}

TEST(IsLeapYear, GregorianRuleForAnyLength) {
    EXPECT_TRUE(Is_Leap_Year(" 2008 "));
    EXPECT_TRUE(Is_Leap_Year("+2008"));
    EXPECT_TRUE(Is_Leap_Year("1234567890123456789012345678000"));  // divisible by 400... and 4
    EXPECT_FALSE(Is_Leap_Year("1234567890123456789012345678100"));
    EXPECT_FALSE(Is_Leap_Year("abc"));
}

}  // namespace
}  // namespace zaveze
