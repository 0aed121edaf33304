// SPDX-License-Identifier: MIT
#include "core/output_naming.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zaveze {
namespace {

// The input's folder and base name, then the dates, "Past" or "Present" for a missing side.
TEST(AutoOutputName, IsBuiltFromInputAndDates) {
    constexpr auto kSpan = TimeMode::TimeSpan, kStamp = TimeMode::TimeStamp;
    // clang-format off
    const std::tuple<TimeMode, std::string, std::string, std::string> cases[] = {
        {kSpan, "2007-01-01", "2007-12-31", "/maps/trip_2007-01-01_to_2007-12-31.kml"},
        {kSpan, "", "2007-12-31", "/maps/trip_Past_to_2007-12-31.kml"},
        {kSpan, "2007-01-01", "", "/maps/trip_2007-01-01_to_Present.kml"},
        {kSpan, "", "", "/maps/trip_Past_to_Present.kml"},
        {kStamp, "2007-10-02", "2008", "/maps/trip_2007-10-02.kml"},
        {kStamp, "", "", "/maps/trip_.kml"}};
    // clang-format on
    for (const auto& [mode, begin, end, expected] : cases) {
        EXPECT_EQ(Auto_Output_Name("/maps/trip.kml", mode, begin, end), expected);
    }
    EXPECT_EQ(Auto_Output_Name("/maps/trip.2007.kml", kStamp, "2007", ""), "/maps/trip_2007.kml");
}

TEST(KmlOutputName, ReplacesEverythingFromTheFirstDot) {
    EXPECT_EQ(Kml_Output_Name("/maps/out.old.txt"), "/maps/out.kml");
    EXPECT_EQ(Kml_Output_Name("/maps/out"), "/maps/out.kml");
}

}  // namespace
}  // namespace zaveze
