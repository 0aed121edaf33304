// SPDX-License-Identifier: MIT
#include "datetime/to_24_hour.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

// Each hour rule (12, 10 and 11, the single digits; AM and PM), a date before the time, and
// texts without the English suffix, which give midnight.
TEST(To24Hour, Converts) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"12:34:56 AM", "00:34:56"}, {"1:02:03 AM", "01:02:03"}, {"11:59:59 AM", "11:59:59"},
        {"12:30:15 PM", "12:30:15"}, {"9:15:00 PM", "21:15:00"}, {"11:59:59 PM", "23:59:59"},
        {"10/2/2007 3:45:12 PM", "15:45:12"}, {"15:45:12", "00:00:00"},
        {"3:45:12 pm", "00:00:00"}, {"", "00:00:00"}, {"PM", "00:00:00"}};
    // clang-format on
    for (const auto& [picker_text, expected] : cases) {
        EXPECT_EQ(To_24_Hour(picker_text), expected) << picker_text;
    }
}

}  // namespace
}  // namespace zaveze
