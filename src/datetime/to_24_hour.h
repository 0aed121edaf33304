// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace zaveze {

// Turns a time picker's value text in the 12-hour English form ("3:45:12 PM", possibly behind a
// date such as "10/2/2007 3:45:12 PM") into the 24-hour text "15:45:12". Any text without an
// "AM" or "PM" suffix gives "00:00:00".
std::string To_24_Hour(std::string_view picker_text);

}  // namespace zaveze
