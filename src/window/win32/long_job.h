// SPDX-License-Identifier: MIT
#pragma once
// Runs a long file job (the input check, the embedding) on a thread of its own while the window
// waits, disabled, so that it takes no input but keeps drawing itself. When the job takes longer
// than about half a second a progress window appears with the file, the MiB done and Cancel.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/job_control.h"

namespace zaveze::win32 {

// Runs `job` and returns when it has ended. `total_bytes` is what the job will read, or 0 when
// that cannot be known (a FIFO); Cancel sets the job's control to cancelled.
void Run_Long_Job(HWND window, const std::wstring& label, std::uint64_t total_bytes,
                  const std::function<void(JobControl&)>& job);

}  // namespace zaveze::win32
