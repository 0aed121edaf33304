// SPDX-License-Identifier: MIT
#include "datetime/verification.h"

#include <gtest/gtest.h>

#include "core/messages.h"

namespace zaveze {
namespace {

namespace m = messages;

constexpr auto kSpan = TimeMode::TimeSpan;
constexpr auto kStamp = TimeMode::TimeStamp;

// The captions and the message of each case; the rules are the dates' and times' own.
TEST(VerifyDates, CaptionsAndMessage) {
    const struct {
        std::string name;
        VerifyInput input;
        std::string begin_caption, end_caption;
        std::string_view message;
    } cases[] = {
        // clang-format off
        {"StampShowsNoEnd", {kStamp, "2007-10-02", "2008", false}, "2007-10-02 ", "",
         m::kLooksGood},
        {"OnlyBegin", {kSpan, "2007-10-02", "", false}, "2007-10-02 ", "Present", m::kLooksGood},
        {"OnlyEnd", {kSpan, "", "2007-10-02", false}, "Past", "2007-10-02 ", m::kLooksGood},
        {"Reversed", {kSpan, "2007-10-05", "2007-10-02", false}, "2007-10-05 ", "2007-10-02 ",
         m::kBeginAfterEnd},
        {"Same", {kSpan, "2007-10-02", "2007-10-02", false}, "2007-10-02 ", "2007-10-02 ",
         m::kBeginEqualsEnd},
        {"SameWithMidnights", {kSpan, "2007-10-02", "2007-10-02", true}, "2007-10-02 00:00:00",
         "2007-10-02 00:00:00", m::kBeginEqualsEnd},
        {"LaterTimeSameDay", {kSpan, "2007-10-02", "2007-10-02", true, "10:00:00", "09:30:00"},
         "2007-10-02 10:00:00", "2007-10-02 09:30:00", m::kBeginAfterEnd},
        {"EarlierTimeSameDay", {kSpan, "2007-10-02", "2007-10-02", true, "11:00:00", "22:30:00"},
         "2007-10-02 11:00:00", "2007-10-02 22:30:00", m::kLooksGood},
        {"DayAgainstMonth", {kSpan, "2007-10-02", "2007-10", false}, "2007-10-02 ", "2007-10 ",
         m::kBeginAfterEnd},
        {"YearAgainstMonth", {kSpan, "2007", "2007-10", false}, "2007 ", "2007-10 ", m::kLooksGood},
        // years are ordered by value, not as text
        {"ShortYearIsEarlier", {kSpan, "0999", "2007", false}, "0999 ", "2007 ", m::kLooksGood},
        {"NegativeYears", {kSpan, "-2000", "-0044", false}, "-2000 ", "-0044 ", m::kLooksGood},
        {"NegativeReversed", {kSpan, "-0044", "-2000", false}, "-0044 ", "-2000 ",
         m::kBeginAfterEnd},
        // a time is shown only where one would be written: beside a full date
        {"NoTimeForAYear", {kSpan, "2007", "2007-10-02", true, "10:00:00", "09:00:00"}, "2007 ",
         "2007-10-02 09:00:00", m::kLooksGood},
        {"SameYearsWithTimesOn", {kSpan, "2007", "2007", true, "10:00:00", "09:00:00"}, "2007 ",
         "2007 ", m::kBeginEqualsEnd},
        // clang-format on
    };
    for (const auto& [name, input, begin_caption, end_caption, message] : cases) {
        const VerifyOutcome outcome = Verify_Dates(input);
        EXPECT_EQ(messages::Verification(outcome.advice), message) << name;
        ASSERT_TRUE(outcome.captions) << name;
        EXPECT_EQ(outcome.captions->begin, begin_caption) << name;
        EXPECT_EQ(outcome.captions->end, end_caption) << name;
    }
}

TEST(VerifyDates, NothingEnteredLeavesTheCaptions) {
    const VerifyOutcome stamp = Verify_Dates({kStamp, "", "2008", false});
    EXPECT_EQ(stamp.advice, VerifyAdvice::NoTimeStampYet);
    EXPECT_FALSE(stamp.captions);
    const VerifyOutcome span = Verify_Dates({kSpan, "", "", false});
    EXPECT_EQ(span.advice, VerifyAdvice::NoTimeSpanYet);
    EXPECT_FALSE(span.captions);
}

}  // namespace
}  // namespace zaveze
