// SPDX-License-Identifier: MIT
#pragma once
// The check made when the focus leaves a year box.

#include <optional>
#include <string_view>

namespace zaveze {

enum class YearVerdict { Accepted, NotANumber, Zero };

// An empty box is accepted. Years are whole numbers (an optional sign and digits, blanks around
// them ignored); any number form whose value is 0 (0, 00, -0, 0.0, 0e3) is refused as zero, and
// every other text that is not a whole number is refused as not a number.
YearVerdict Validate_Year(std::string_view text);

}  // namespace zaveze
