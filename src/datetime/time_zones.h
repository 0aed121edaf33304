// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zaveze {

// The zone texts offered in the zone list: every offset from UTC in use somewhere, in order.
// Whole hours from "-12" to "+12" read as a sign and two digits (zero as "+00"); the others carry
// their minutes ("+05:30", "-09:30") or lie beyond +12 ("+13", "+14").
std::vector<std::string> Time_Zone_Entries();

// The zone text in force while no other zone is chosen.
inline const std::string kUtcZone = "+00";

// A zone as written by a user, "±HH" or "±HH:MM", as the entry of the list it names ("+05:00" is
// "+05"); none when no zone in use has that offset.
std::optional<std::string> Zone_Entry(const std::string& written);

// A zone text as KML writes the offset: "+05" as "+05:00", "+05:30" as it is.
std::string Zone_Offset(const std::string& zone);

}  // namespace zaveze
