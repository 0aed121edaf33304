// SPDX-License-Identifier: MIT
#include "datetime/year_validation.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

// Whole years with signs and blanks pass, 0 in any number form is zero, anything else is no
// number.
TEST(ValidateYear, Verdict) {
    constexpr auto kAccepted = YearVerdict::Accepted, kZero = YearVerdict::Zero;
    constexpr auto kNaN = YearVerdict::NotANumber;
    // clang-format off
    const std::pair<std::string, YearVerdict> cases[] = {
        {"", kAccepted}, {"2007", kAccepted}, {"-44", kAccepted}, {"+785", kAccepted},
        {" 2007 ", kAccepted}, {"   ", kAccepted},
        {"0", kZero}, {"-0", kZero}, {" 0 ", kZero}, {"0.0", kZero}, {".0", kZero}, {"0e3", kZero},
        {"20o7", kNaN}, {"2007.5", kNaN}, {"1e3", kNaN}, {"1e", kNaN}, {"-", kNaN}, {".", kNaN},
        {"1 000", kNaN}, {"0x10", kNaN}};
    // clang-format on
    for (const auto& [text, verdict] : cases) {
        EXPECT_EQ(Validate_Year(text), verdict) << text;
    }
}

}  // namespace
}  // namespace zaveze
