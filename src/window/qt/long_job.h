// SPDX-License-Identifier: MIT
#pragma once
// Runs a long file job (the input check, the embedding) on a thread of its own while the window
// waits, so that it keeps drawing itself. Meanwhile clicks and keys meant for the window are held
// back, the busy cursor shows, and when the job takes longer than about half a second a modal
// progress dialog appears with the bytes done and a Cancel button.

#include <QString>
#include <cstdint>
#include <functional>

#include "core/job_control.h"

class QWidget;

namespace zaveze {

// Runs `job` and returns when it has ended. `total_bytes` is what the job will read, or 0 when
// that cannot be known (a FIFO); Cancel sets the job's control to cancelled.
void Run_Long_Job(QWidget* window, const QString& label, std::uint64_t total_bytes,
                  const std::function<void(JobControl&)>& job);

}  // namespace zaveze
