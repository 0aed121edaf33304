// SPDX-License-Identifier: MIT
#include "datetime/to_24_hour.h"

#include "datetime/time_texts.h"

namespace zaveze {

std::string To_24_Hour(std::string_view picker_text) {
    const std::string_view suffix =
        picker_text.substr(picker_text.size() < 2 ? 0 : picker_text.size() - 2);
    if (suffix != "AM" && suffix != "PM") {
        return kMidnight;
    }
    std::string_view time =
        picker_text.substr(0, picker_text.size() < 3 ? 0 : picker_text.size() - 3);

    // A leading date ends at the last blank before the time's final four characters.
    if (time.size() > 4) {
        const auto blank = time.substr(0, time.size() - 4).rfind(' ');
        if (blank != std::string_view::npos) {
            time.remove_prefix(blank + 1);
        }
    }
    if (time.size() < 6) {
        return kMidnight;
    }

    const std::string_view hour = time.substr(0, 2);
    const std::string_view minutes_seconds = time.substr(time.size() - 6);
    if (suffix == "AM") {
        if (hour == "12") {
            return std::string("00").append(minutes_seconds);
        }
        if (hour == "10" || hour == "11") {
            return std::string(time);
        }
        return std::string("0").append(time);
    }
    if (hour == "12") {
        return std::string(time);
    }
    if (hour == "10" || hour == "11") {
        return std::to_string((hour[1] - '0') + 22).append(minutes_seconds);
    }
    return std::to_string((time[0] - '0') + 12).append(minutes_seconds);
}

}  // namespace zaveze
