// SPDX-License-Identifier: MIT
#include "datetime/year_validation.h"

#include <gtest/gtest.h>

#include "core/messages.h"

namespace zaveze {
namespace {

struct YearCase {
    std::string text;
    YearVerdict verdict;
};

class ValidateYear : public ::testing::TestWithParam<YearCase> {};

TEST_P(ValidateYear, Verdict) {
    EXPECT_EQ(Validate_Year(GetParam().text), GetParam().verdict) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValidateYear,
    ::testing::Values(
        YearCase{"", YearVerdict::Accepted}, YearCase{"2007", YearVerdict::Accepted},
        YearCase{"-44", YearVerdict::Accepted}, YearCase{"+785", YearVerdict::Accepted},
        YearCase{" 2007 ", YearVerdict::Accepted}, YearCase{"   ", YearVerdict::Accepted},
        YearCase{"0", YearVerdict::Zero}, YearCase{"00", YearVerdict::Zero},
        YearCase{"0.0", YearVerdict::Zero}, YearCase{"-0", YearVerdict::Zero},
        YearCase{".0", YearVerdict::Zero}, YearCase{"0e3", YearVerdict::Zero},
        YearCase{" 0 ", YearVerdict::Zero}, YearCase{"abc", YearVerdict::NotANumber},
        YearCase{"20o7", YearVerdict::NotANumber}, YearCase{"2007.5", YearVerdict::NotANumber},
        YearCase{"0.5", YearVerdict::NotANumber}, YearCase{"1e3", YearVerdict::NotANumber},
        YearCase{"-", YearVerdict::NotANumber}, YearCase{"1 000", YearVerdict::NotANumber},
        YearCase{"0x10", YearVerdict::NotANumber}, YearCase{"1e", YearVerdict::NotANumber},
        YearCase{".", YearVerdict::NotANumber}));

TEST(YearRefusalMessage, NamesTheProblem) {
    EXPECT_EQ(messages::Year_Refusal(YearVerdict::NotANumber), messages::kYearNotANumber);
    EXPECT_EQ(messages::Year_Refusal(YearVerdict::Zero), messages::kYearIsZero);
    EXPECT_FALSE(messages::Year_Refusal(YearVerdict::Accepted));
}

}  // namespace
}  // namespace zaveze
