// SPDX-License-Identifier: MIT
#pragma once
// A digit of a date or time text: ASCII "0" to "9" only, whatever the locale (std::isdigit asks
// the locale and takes no plain char).

namespace zaveze {

inline bool Is_Digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace zaveze
