// SPDX-License-Identifier: MIT
#include "datetime/date_text.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

struct BuildCase {
    DateParts parts;
    std::string expected;
};

class BuildDateText : public ::testing::TestWithParam<BuildCase> {};

TEST_P(BuildDateText, FromControls) {
    EXPECT_EQ(Build_Date_Text(GetParam().parts), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildDateText,
    ::testing::Values(
        BuildCase{{"", "10", "02"}, ""}, BuildCase{{"2007", "", ""}, "2007"},
        BuildCase{{"2007", "10", ""}, "2007-10"}, BuildCase{{"2007", "10", "02"}, "2007-10-02"},
        // a day without a month is left out
        BuildCase{{"2008", "", "15"}, "2008"},
        // years are written with at least four digits, a plus dropped
        BuildCase{{"785", "03", "01"}, "0785-03-01"}, BuildCase{{"0785", "03", "01"}, "0785-03-01"},
        BuildCase{{"00785", "", ""}, "0785"}, BuildCase{{"-44", "03", "15"}, "-0044-03-15"},
        BuildCase{{"+2007", "", ""}, "2007"}, BuildCase{{"  2007 ", "", ""}, "2007"},
        BuildCase{{"123456", "", ""}, "123456"}, BuildCase{{"   ", "", ""}, ""}));

TEST(ParseDateText, ReadsTheThreePrecisions) {
    const auto full = Parse_Date_Text("-44-03-15");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->year, "-44");
    EXPECT_EQ(full->month, "03");
    EXPECT_EQ(full->day, "15");
    EXPECT_EQ(Parse_Date_Text("2007")->month, "");
    EXPECT_EQ(Parse_Date_Text("2007-10")->day, "");
}

TEST(ParseDateText, RefusesWhatTheListsWouldNotOffer) {
    for (const char* bad : {"", "-", "2007-", "2007-13", "2007-1", "2007-02-29", "2007-04-31",
                            "2007-10-2", "2007-10-02-01", "20o7", "2007.5", "+", "2007-10-00"}) {
        EXPECT_FALSE(Parse_Date_Text(bad)) << bad;
    }
    EXPECT_TRUE(Parse_Date_Text("2008-02-29"));
    EXPECT_TRUE(Parse_Date_Text("+2008-02-29"));
}

TEST(IsFullDate, OnlyYearMonthDay) {
    EXPECT_TRUE(Is_Full_Date("2007-10-02"));
    EXPECT_TRUE(Is_Full_Date("-0044-03-15"));
    EXPECT_FALSE(Is_Full_Date("2007-10"));
    EXPECT_FALSE(Is_Full_Date("2007"));
    EXPECT_FALSE(Is_Full_Date(""));
}

TEST(CompareYearValues, ByValueNotByText) {
    EXPECT_LT(Compare_Year_Values("999", "2007"), 0);
    EXPECT_LT(Compare_Year_Values("-0044", "0785"), 0);
    EXPECT_LT(Compare_Year_Values("-2007", "-44"), 0);
    EXPECT_EQ(Compare_Year_Values("0785", "785"), 0);
    EXPECT_GT(Compare_Year_Values("12345", "9999"), 0);
}

}  // namespace
}  // namespace zaveze
