// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace zaveze {

// The zone texts offered in the zone list: whole-hour offsets from UTC, "-12" to "+12", with
// zero written "+00".
std::vector<std::string> Time_Zone_Entries();

// The zone text in force while no other zone is chosen.
inline const std::string kUtcZone = "+00";

}  // namespace zaveze
