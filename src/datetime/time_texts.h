// SPDX-License-Identifier: MIT
#pragma once
// The time-of-day and zone texts written behind the dates.

#include <string>
#include <string_view>

namespace zaveze {

// The pickers' time until the user sets one, and the time of a date given without one.
inline const std::string kMidnight = "00:00:00";

// What the time controls say: whether a time of day is set, whether the local zone is used, the
// zone text ("-05", "+00", ...) and the two pickers' times as 24-hour texts.
struct TimeSettings {
    bool set_time = false;
    bool local_zone = false;
    std::string zone = "+00";
    std::string begin_time = kMidnight;
    std::string end_time = kMidnight;
};

struct TimeSuffixes {
    std::string begin;  // written behind the begin date and the TimeStamp date
    std::string end;    // written behind the end date
};

// With a time of day: "T" + time + zone + ":00". With only the local zone: the whole local day,
// "T00:00:00" and "T23:59:59" with the zone. Otherwise nothing.
TimeSuffixes Time_Suffixes(const TimeSettings& settings);

// The date with its time suffix. A time belongs only to a full year-month-day date: a year or a
// year-month is returned bare, since KML has no time for them.
std::string Date_With_Time(const std::string& date, const std::string& suffix);

}  // namespace zaveze

namespace zaveze {

// True for a 24-hour time "HH:MM:SS" from 00:00:00 to 23:59:59.
bool Is_24_Hour_Time(std::string_view text);

}  // namespace zaveze
