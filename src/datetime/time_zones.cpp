// SPDX-License-Identifier: MIT
#include "datetime/time_zones.h"

#include <algorithm>

namespace zaveze {

std::vector<std::string> Time_Zone_Entries() {
    return {"-12",    "-11",    "-10",    "-09:30", "-09",    "-08",    "-07",    "-06",
            "-05",    "-04",    "-03:30", "-03",    "-02:30", "-02",    "-01",    "+00",
            "+01",    "+02",    "+03",    "+03:30", "+04",    "+04:30", "+05",    "+05:30",
            "+05:45", "+06",    "+06:30", "+07",    "+08",    "+08:45", "+09",    "+09:30",
            "+10",    "+10:30", "+11",    "+12",    "+12:45", "+13",    "+13:45", "+14"};
}

std::optional<std::string> Zone_Entry(const std::string& written) {
    const std::string entry =
        written.size() == 6 && written.ends_with(":00") ? written.substr(0, 3) : written;
    const std::vector<std::string> entries = Time_Zone_Entries();
    if (std::find(entries.begin(), entries.end(), entry) == entries.end()) {
        return std::nullopt;
    }
    return entry;
}

std::string Zone_Offset(const std::string& zone) {
    return zone.size() == 3 ? zone + ":00" : zone;
}

}  // namespace zaveze
