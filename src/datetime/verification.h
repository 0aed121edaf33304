// SPDX-License-Identifier: MIT
#pragma once
// What "Verify Dates" shows: the two result captions and one advisory message.

#include <optional>
#include <string>
#include <string_view>

#include "datetime/time_mode.h"
#include "datetime/time_texts.h"

namespace zaveze {

struct VerifyInput {
    TimeMode mode = TimeMode::TimeSpan;
    std::string begin_date;
    std::string end_date;
    bool set_time = false;
    std::string begin_time = kMidnight;  // 24-hour texts of the pickers
    std::string end_time = kMidnight;
};

struct VerifyCaptions {
    std::string begin;
    std::string end;
};

// What the verification tells the user; core/messages.h has the words.
enum class VerifyAdvice {
    NoTimeStampYet,
    NoTimeSpanYet,
    BeginAfterEnd,
    BeginEqualsEnd,
    LooksGood,
};

struct VerifyOutcome {
    std::optional<VerifyCaptions> captions;  // none when nothing was entered: labels keep theirs
    VerifyAdvice advice = VerifyAdvice::LooksGood;
};

VerifyOutcome Verify_Dates(const VerifyInput& input);

// Orders two dates with their shown times as points in time: the year by value, then month, day
// and time, a missing part before a present one. Negative, zero or positive like strcmp.
int Compare_Points(const std::string& date_a, const std::string& time_a, const std::string& date_b,
                   const std::string& time_b);

}  // namespace zaveze
