// SPDX-License-Identifier: MIT
#include "form/picker_text.h"

#include <cstdio>

namespace zaveze::form {

std::string Picker_Text(TimeOfDay time) {
    const int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour, time.minute, time.second,
                  time.hour < 12 ? "AM" : "PM");
    return text;
}

}  // namespace zaveze::form
