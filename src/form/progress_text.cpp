// SPDX-License-Identifier: MIT
#include "form/progress_text.h"

#include <cstdio>

namespace zaveze::form {
namespace {

std::string Size_Text(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / (1 << 20));
    return text;
}

}  // namespace

std::string Progress_Text(std::string_view label, std::uint64_t done, std::uint64_t total) {
    const std::string amount =
        total > 0 ? Size_Text(done) + " of " + Size_Text(total) : Size_Text(done);
    return std::string(label) + "\n" + amount;
}

}  // namespace zaveze::form
