// SPDX-License-Identifier: MIT
#include "datetime/time_zones.h"

#include <cstdlib>

namespace zaveze {

std::vector<std::string> Time_Zone_Entries() {
    std::vector<std::string> entries;
    for (int offset = -12; offset <= 12; ++offset) {
        const int hours = std::abs(offset);
        entries.push_back(std::string(offset < 0 ? "-" : "+") +
                          static_cast<char>('0' + hours / 10) +
                          static_cast<char>('0' + hours % 10));
    }
    return entries;
}

}  // namespace zaveze
