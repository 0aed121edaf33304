// SPDX-License-Identifier: MIT
#include "datetime/verification.h"

#include "datetime/date_text.h"

namespace zaveze {
namespace {

// A missing part sorts before a present one; present two-digit parts and 24-hour times sort as
// text.
int Compare_Part(const std::string& a, const std::string& b) {
    if (a.empty() != b.empty()) {
        return a.empty() ? -1 : 1;
    }
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

// The time shown and compared beside a date: only a full date carries one.
std::string Shown_Time(const VerifyInput& input, const std::string& date, const std::string& time) {
    return input.set_time && Is_Full_Date(date) ? time : std::string();
}

}  // namespace

int Compare_Points(const std::string& date_a, const std::string& time_a, const std::string& date_b,
                   const std::string& time_b) {
    const DateParts a = Parse_Date_Text(date_a).value_or(DateParts{});
    const DateParts b = Parse_Date_Text(date_b).value_or(DateParts{});
    if (const int years = Compare_Year_Values(a.year, b.year); years != 0) {
        return years;
    }
    if (const int months = Compare_Part(a.month, b.month); months != 0) {
        return months;
    }
    if (const int days = Compare_Part(a.day, b.day); days != 0) {
        return days;
    }
    return Compare_Part(time_a, time_b);
}

VerifyOutcome Verify_Dates(const VerifyInput& input) {
    const bool stamp = input.mode == TimeMode::TimeStamp;
    if (stamp && input.begin_date.empty()) {
        return {std::nullopt, VerifyAdvice::NoTimeStampYet};
    }
    if (!stamp && input.begin_date.empty() && input.end_date.empty()) {
        return {std::nullopt, VerifyAdvice::NoTimeSpanYet};
    }
    const std::string begin_time = Shown_Time(input, input.begin_date, input.begin_time);
    const std::string end_time = Shown_Time(input, input.end_date, input.end_time);

    VerifyCaptions captions;
    captions.begin = input.begin_date.empty() ? "Past" : input.begin_date + " " + begin_time;
    if (!stamp) {
        captions.end = input.end_date.empty() ? "Present" : input.end_date + " " + end_time;
    }

    VerifyAdvice advice = VerifyAdvice::LooksGood;
    if (!stamp && !input.begin_date.empty() && !input.end_date.empty()) {
        const int order = Compare_Points(input.begin_date, begin_time, input.end_date, end_time);
        if (order > 0) {
            advice = VerifyAdvice::BeginAfterEnd;
        } else if (order == 0) {
            advice = VerifyAdvice::BeginEqualsEnd;
        }
    }
    return {captions, advice};
}

}  // namespace zaveze
