// SPDX-License-Identifier: MIT
#pragma once
// Each feature's own time, from its own data: what is asked, and what came of it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datetime/time_mode.h"

namespace zaveze {

// Where a feature's date is read: a direct child of the feature.
struct TimeSource {
    enum class Kind {
        Data,         // ExtendedData's <Data name="NAME"><value> or <SimpleData name="NAME">
        Name,         // <name>
        Description,  // <description>, CDATA too
    };
    Kind kind = Kind::Name;
    std::string data_name;  // NAME, for Data

    friend bool operator==(const TimeSource&, const TimeSource&) = default;
};

// "data:NAME", "name" or "description"; no value for anything else.
std::optional<TimeSource> Read_Time_Source(std::string_view text);
std::string Source_Text(const TimeSource& source);

struct FeatureTimes {
    TimeMode mode = TimeMode::TimeStamp;
    std::optional<TimeSource> stamp;       // a TimeStamp's when
    std::optional<TimeSource> begin, end;  // a TimeSpan's sides; one may be missing
    std::optional<std::string> zone;       // "+05:30", for times written without one
    bool list_features = false;            // keep each feature's outcome, for a dry run
};

// What happened to one feature.
struct FeatureOutcome {
    enum class Kind { Timed, AlreadyTimed, WithoutDate };
    Kind kind = Kind::Timed;
    std::string feature;  // "Placemark", as written with its prefix
    std::uint64_t line = 0;
    std::string found;    // the values found, as written: "1851", "1851 to 1853"
    std::string element;  // the element written, for Timed
};

struct FeatureCounts {
    std::uint64_t timed = 0;
    std::uint64_t already_timed = 0;  // features that hold a TimeStamp or TimeSpan already
    std::uint64_t without_date = 0;   // features with a source but no date in it
    static constexpr std::size_t kLinesKept = 10;
    std::vector<std::uint64_t> lines_without_date;  // the first kLinesKept of them
    std::vector<FeatureOutcome> outcomes;           // every feature's, when listed
};

}  // namespace zaveze
