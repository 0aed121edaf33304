// SPDX-License-Identifier: MIT
#include "datetime/time_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <tuple>

#include "datetime/time_zones.h"

namespace zaveze {
namespace {

// The suffixes follow the settings: a set time or midnight and the day's last second, in the
// zone; nothing without a time or a zone.
TEST(TimeSuffixes, FollowTheTimeSettings) {
    // set time, local zone, zone, the begin's and the end's suffix
    // clang-format off
    const std::tuple<bool, bool, std::string, std::string, std::string> cases[] = {
        {false, true, "+00", "T00:00:00+00:00", "T23:59:59+00:00"},
        {false, true, "-09:30", "T00:00:00-09:30", "T23:59:59-09:30"},
        {true, true, "+05:30", "T14:30:00+05:30", "T09:05:00+05:30"},
        {true, false, "-05", "T14:30:00-05:00", "T09:05:00-05:00"},
        {false, false, "-05", "", ""}};
    // clang-format on
    for (const auto& [set_time, local_zone, zone, begin, end] : cases) {
        const TimeSuffixes suffixes =
            Time_Suffixes({set_time, local_zone, zone, "14:30:00", "09:05:00"});
        EXPECT_EQ(suffixes.begin + "|" + suffixes.end, begin + "|" + end) << zone;
    }
}

TEST(DateWithTime, JoinsTimesOnlyToFullDates) {
    EXPECT_EQ(Date_With_Time("2007-10-02", "T00:00:00-05:00"), "2007-10-02T00:00:00-05:00");
    EXPECT_EQ(Date_With_Time("-0044-03-15", "T00:00:00Z"), "-0044-03-15T00:00:00Z");
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

// Every offset in use, in order: the whole hours from -12 to +12 as before, the others between
// them with their minutes, and +13 and +14 after.
TEST(TimeZoneEntries, HoldEveryOffsetInUseInOrder) {
    const auto zones = Time_Zone_Entries();
    ASSERT_EQ(zones.size(), 40u);
    const auto minutes_of = [](const std::string& zone) {
        const int value = std::stoi(zone.substr(1, 2)) * 60 +
                          (zone.size() == 6 ? std::stoi(zone.substr(4, 2)) : 0);
        return zone[0] == '-' ? -value : value;
    };
    for (std::size_t i = 1; i < zones.size(); ++i) {
        EXPECT_LT(minutes_of(zones[i - 1]), minutes_of(zones[i])) << zones[i];
    }
    std::vector<std::string> whole_hours;
    std::copy_if(
        zones.begin(), zones.end(), std::back_inserter(whole_hours),
        [&](const std::string& zone) { return zone.size() == 3 && minutes_of(zone) <= 720; });
    EXPECT_EQ(whole_hours.size(), 25u);
}

TEST(ZoneEntry, TakesEveryOffsetInUseInEitherForm) {
    EXPECT_EQ(Zone_Entry("+05:30"), "+05:30");
    EXPECT_EQ(Zone_Entry("+05"), "+05");
    EXPECT_EQ(Zone_Entry("+05:00"), "+05");
    EXPECT_EQ(Zone_Entry("+14"), "+14");
    for (const char* refused : {"+05:15", "+15", "-13", "-00", "+5", "05:30", "+05:3", ""}) {
        EXPECT_EQ(Zone_Entry(refused), std::nullopt) << refused;
    }
    EXPECT_EQ(Zone_Offset("+05"), "+05:00");
    EXPECT_EQ(Zone_Offset("-09:30"), "-09:30");
}

}  // namespace
}  // namespace zaveze
