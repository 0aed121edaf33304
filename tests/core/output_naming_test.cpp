// SPDX-License-Identifier: MIT
#include "core/output_naming.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

struct AutoNameCase {
    TimeMode mode;
    std::string begin, end, expected;
};

class AutoOutputName : public ::testing::TestWithParam<AutoNameCase> {};

TEST_P(AutoOutputName, IsBuiltFromInputAndDates) {
    const auto& c = GetParam();
    EXPECT_EQ(Auto_Output_Name("/maps/trip.kml", c.mode, c.begin, c.end), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AutoOutputName,
    ::testing::Values(
        AutoNameCase{TimeMode::TimeSpan, "2007-01-01", "2007-12-31",
                     "/maps/trip_2007-01-01_to_2007-12-31.kml"},
        AutoNameCase{TimeMode::TimeSpan, "", "2007-12-31", "/maps/trip_Past_to_2007-12-31.kml"},
        AutoNameCase{TimeMode::TimeSpan, "2007-01-01", "", "/maps/trip_2007-01-01_to_Present.kml"},
        AutoNameCase{TimeMode::TimeSpan, "", "", "/maps/trip_Past_to_Present.kml"},
        AutoNameCase{TimeMode::TimeStamp, "2007-10-02", "2008", "/maps/trip_2007-10-02.kml"},
        AutoNameCase{TimeMode::TimeStamp, "", "", "/maps/trip_.kml"}));

TEST(AutoOutputName, UsesOnlyTheBaseNameOfADottedInput) {
    EXPECT_EQ(Auto_Output_Name("/maps/trip.2007.kml", TimeMode::TimeStamp, "2007", ""),
              "/maps/trip_2007.kml");
}

TEST(KmlOutputName, ReplacesEverythingFromTheFirstDot) {
    EXPECT_EQ(Kml_Output_Name("/maps/out.old.txt"), "/maps/out.kml");
    EXPECT_EQ(Kml_Output_Name("/maps/out"), "/maps/out.kml");
}

}  // namespace
}  // namespace zaveze
