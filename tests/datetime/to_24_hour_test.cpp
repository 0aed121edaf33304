// SPDX-License-Identifier: MIT
#include "datetime/to_24_hour.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

struct HourCase {
    std::string picker_text, expected;
};

class To24Hour : public ::testing::TestWithParam<HourCase> {};

TEST_P(To24Hour, Converts) {
    EXPECT_EQ(To_24_Hour(GetParam().picker_text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, To24Hour,
    ::testing::Values(HourCase{"12:00:00 AM", "00:00:00"}, HourCase{"12:34:56 AM", "00:34:56"},
                      HourCase{"1:02:03 AM", "01:02:03"}, HourCase{"9:59:59 AM", "09:59:59"},
                      HourCase{"10:00:00 AM", "10:00:00"}, HourCase{"11:59:59 AM", "11:59:59"},
                      HourCase{"12:00:00 PM", "12:00:00"}, HourCase{"12:30:15 PM", "12:30:15"},
                      HourCase{"1:00:00 PM", "13:00:00"}, HourCase{"9:15:00 PM", "21:15:00"},
                      HourCase{"10:15:00 PM", "22:15:00"}, HourCase{"11:59:59 PM", "23:59:59"},
                      HourCase{"10/2/2007 3:45:12 PM", "15:45:12"},
                      HourCase{"10/2/2007", "00:00:00"}, HourCase{"15:45:12", "00:00:00"},
                      HourCase{"3:45:12 pm", "00:00:00"}, HourCase{"", "00:00:00"},
                      HourCase{"PM", "00:00:00"}));

}  // namespace
}  // namespace zaveze
