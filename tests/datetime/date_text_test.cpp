// SPDX-License-Identifier: MIT
#include "datetime/date_text.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

// A date from the controls: no year is no date, a day without its month is left out, and years
// are written with at least four digits, a plus and blanks dropped.
TEST(BuildDateText, FromControls) {
    // clang-format off
    const std::pair<DateParts, std::string> cases[] = {
        {{"", "10", "02"}, ""}, {{"   ", "", ""}, ""}, {{"2007", "", ""}, "2007"},
        {{"2007", "10", ""}, "2007-10"}, {{"2007", "10", "02"}, "2007-10-02"},
        {{"2008", "", "15"}, "2008"}, {{"785", "03", "01"}, "0785-03-01"},
        {{"00785", "", ""}, "0785"}, {{"-44", "03", "15"}, "-0044-03-15"},
        {{"+2007", "", ""}, "2007"}, {{"  2007 ", "", ""}, "2007"}, {{"123456", "", ""}, "123456"}};
    // clang-format on
    for (const auto& [parts, expected] : cases) {
        EXPECT_EQ(Build_Date_Text(parts), expected) << parts.year << "-" << parts.month;
    }
}

TEST(ParseDateText, ReadsTheThreePrecisionsAndRefusesWhatTheListsWouldNotOffer) {
    const auto full = Parse_Date_Text("-44-03-15");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->year + "|" + full->month + "|" + full->day, "-44|03|15");
    EXPECT_EQ(Parse_Date_Text("2007")->month, "");
    EXPECT_EQ(Parse_Date_Text("2007-10")->day, "");
    EXPECT_TRUE(Parse_Date_Text("+2008-02-29"));
    for (const char* bad : {"", "-", "2007-", "2007-13", "2007-1", "2007-02-29", "2007-04-31",
                            "2007-10-2", "2007-10-02-01", "20o7", "2007.5", "+", "2007-10-00"}) {
        EXPECT_FALSE(Parse_Date_Text(bad)) << bad;
    }
}

// Years as numbers, where the verification's table does not reach: leading zeros, more digits,
// signs that differ.
TEST(CompareYearValues, ByValueNotByText) {
    EXPECT_EQ(Compare_Year_Values("0785", "785"), 0);
    EXPECT_LT(Compare_Year_Values("-0044", "0785"), 0);
    EXPECT_GT(Compare_Year_Values("12345", "9999"), 0);
    EXPECT_LT(Compare_Year_Values("-2007", "-44"), 0);
}

}  // namespace
}  // namespace zaveze
