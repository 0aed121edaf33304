// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "form/controls.h"

namespace zaveze::form {

// A time picker's value as the 12-hour English text that the date rules read ("3:45:12 PM",
// "12:00:00 AM"), whatever the user's language.
std::string Picker_Text(TimeOfDay time);

}  // namespace zaveze::form
