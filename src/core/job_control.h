// SPDX-License-Identifier: MIT
#pragma once
// How a long job (reading or writing a large file) reports its progress to another thread and
// learns that the user cancelled it. The job looks at it once a block.

#include <atomic>
#include <cstdint>

namespace zaveze {

struct JobControl {
    std::atomic<std::uint64_t> bytes_done{0};  // bytes of the input read so far
    std::atomic<bool> cancelled{false};        // set by the user's side; the job stops soon after

    // Called by the job after each block; false when it is to stop.
    bool Go_On(std::uint64_t bytes) {
        bytes_done.store(bytes, std::memory_order_relaxed);
        return !cancelled.load(std::memory_order_relaxed);
    }
};

}  // namespace zaveze
