// SPDX-License-Identifier: MIT
#pragma once
// What both faces show of a long job (see Services::Run_Long_Job): when, how often, and what.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace zaveze::form {

// How long a job runs before its progress window shows, and how often its progress is shown.
inline constexpr std::chrono::milliseconds kProgressDelay{500};
inline constexpr std::chrono::milliseconds kProgressInterval{100};

// The progress window's text: the job's label, and below it the bytes done of the total
// ("12.3 MiB of 512.0 MiB"), or done alone while the total is not known (0).
std::string Progress_Text(std::string_view label, std::uint64_t done, std::uint64_t total);

}  // namespace zaveze::form
