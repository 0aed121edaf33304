// SPDX-License-Identifier: MIT
#include "datetime/time_texts.h"

#include "datetime/date_text.h"
#include "datetime/time_zones.h"

namespace zaveze {

TimeSuffixes Time_Suffixes(const TimeSettings& settings) {
    const std::string zone_offset = Zone_Offset(settings.zone);
    if (settings.set_time) {
        return {"T" + settings.begin_time + zone_offset, "T" + settings.end_time + zone_offset};
    }
    if (settings.local_zone) {
        return {"T00:00:00" + zone_offset, "T23:59:59" + zone_offset};
    }
    return {};
}

std::string Date_With_Time(const std::string& date, const std::string& suffix) {
    return Is_Full_Date(date) ? date + suffix : date;
}

}  // namespace zaveze

namespace zaveze {

bool Is_24_Hour_Time(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
        return false;
    }
    const auto number_at = [text](std::size_t pos) {
        const char tens = text[pos], ones = text[pos + 1];
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9') {
            return 99;
        }
        return (tens - '0') * 10 + (ones - '0');
    };
    return number_at(0) < 24 && number_at(3) < 60 && number_at(6) < 60;
}

}  // namespace zaveze
