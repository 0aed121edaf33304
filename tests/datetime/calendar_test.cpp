// SPDX-License-Identifier: MIT
#include "datetime/calendar.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

struct DaysCase {
    std::string month, year;
    std::size_t count;
};

class DayEntries : public ::testing::TestWithParam<DaysCase> {};

TEST_P(DayEntries, HoldTheDaysOfTheMonth) {
    const auto days = Day_Entries(GetParam().month, GetParam().year);
    ASSERT_EQ(days.size(), GetParam().count);
    EXPECT_EQ(days.front(), "01");
    EXPECT_EQ(days.back(), std::to_string(GetParam().count));
}

INSTANTIATE_TEST_SUITE_P(Table, DayEntries,
                         ::testing::Values(DaysCase{"01", "2007", 31}, DaysCase{"02", "2007", 28},
                                           DaysCase{"02", "2008", 29}, DaysCase{"02", "2000", 29},
                                           DaysCase{"02", "1900", 28}, DaysCase{"02", "-44", 29},
                                           DaysCase{"02", "", 28}, DaysCase{"04", "2007", 30},
                                           DaysCase{"06", "2007", 30}, DaysCase{"08", "2007", 31},
                                           DaysCase{"09", "2007", 30}, DaysCase{"11", "2007", 30},
                                           DaysCase{"12", "2007", 31}));

TEST(IsLeapYear, GregorianRuleForAnyLength) {
    EXPECT_TRUE(Is_Leap_Year("2000"));
    EXPECT_FALSE(Is_Leap_Year("2100"));
    EXPECT_TRUE(Is_Leap_Year(" 2008 "));
    EXPECT_TRUE(Is_Leap_Year("+2008"));
    EXPECT_TRUE(Is_Leap_Year("1234567890123456789012345678000"));  // divisible by 400... and 4
    EXPECT_FALSE(Is_Leap_Year("1234567890123456789012345678100"));
    EXPECT_FALSE(Is_Leap_Year("abc"));
}

}  // namespace
}  // namespace zaveze
