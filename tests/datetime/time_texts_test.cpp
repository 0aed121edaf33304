// SPDX-License-Identifier: MIT
#include "datetime/time_texts.h"

#include <gtest/gtest.h>

#include "datetime/time_zones.h"

namespace zaveze {
namespace {

struct SuffixCase {
    bool set_time, local_zone;
    std::string zone, begin, end;
};

class TimeSuffixTable : public ::testing::TestWithParam<SuffixCase> {};

TEST_P(TimeSuffixTable, FollowsTheTimeSettings) {
    const auto& c = GetParam();
    TimeSettings settings{c.set_time, c.local_zone, c.zone, "14:30:00", "09:05:00"};
    const TimeSuffixes suffixes = Time_Suffixes(settings);
    EXPECT_EQ(suffixes.begin, c.begin);
    EXPECT_EQ(suffixes.end, c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeSuffixTable,
    ::testing::Values(SuffixCase{false, true, "+00", "T00:00:00+00:00", "T23:59:59+00:00"},
                      SuffixCase{false, true, "-05", "T00:00:00-05:00", "T23:59:59-05:00"},
                      SuffixCase{true, true, "+00", "T14:30:00+00:00", "T09:05:00+00:00"},
                      SuffixCase{true, false, "-05", "T14:30:00-05:00", "T09:05:00-05:00"},
                      SuffixCase{false, false, "-05", "", ""}));

TEST(DateWithTime, JoinsTimesOnlyToFullDates) {
    EXPECT_EQ(Date_With_Time("2007-10-02", "T00:00:00-05:00"), "2007-10-02T00:00:00-05:00");
    EXPECT_EQ(Date_With_Time("2007", "T00:00:00+00:00"), "2007");
    EXPECT_EQ(Date_With_Time("2007-10", "T23:59:59+00:00"), "2007-10");
    EXPECT_EQ(Date_With_Time("", "T23:59:59+00:00"), "");
}

TEST(Is24HourTime, AcceptsOnlyRealTimes) {
    EXPECT_TRUE(Is_24_Hour_Time("00:00:00"));
    EXPECT_TRUE(Is_24_Hour_Time("23:59:59"));
    for (const char* bad :
         {"24:00:00", "12:60:00", "12:00:60", "1:00:00", "12:00", "ab:cd:ef", "12-00-00"}) {
        EXPECT_FALSE(Is_24_Hour_Time(bad)) << bad;
    }
}

TEST(TimeZoneEntries, RunFromMinus12ToPlus12WithZeroAsPlus00) {
    const auto zones = Time_Zone_Entries();
    ASSERT_EQ(zones.size(), 25u);
    EXPECT_EQ(zones.front(), "-12");
    EXPECT_EQ(zones[11], "-01");
    EXPECT_EQ(zones[12], "+00");
    EXPECT_EQ(zones.back(), "+12");
}

}  // namespace
}  // namespace zaveze
