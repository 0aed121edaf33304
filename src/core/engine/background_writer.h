// SPDX-License-Identifier: MIT
#pragma once
// Writes finished output blocks to a file on a thread of its own, so that reading and
// transforming the next blocks overlaps the kernel's work of writing the last ones.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "core/engine/output_buffer.h"

namespace zaveze {

class BackgroundWriter {
  public:
    explicit BackgroundWriter(int fd);
    ~BackgroundWriter();  // stops the thread; what was not written yet is dropped
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Hands over the first `length` bytes of `full` for writing, and returns an empty buffer to
    // fill next. Waits while too many buffers are still on their way, so memory stays bounded.
    OutputBuffer Hand_Over(OutputBuffer full, std::size_t length);

    // Waits until everything handed over is written: 0, or the error number of the first write
    // that failed (after which nothing more is written).
    int Finish();

    // Whether a write has failed already, so that the rest need not be made.
    bool Failed();

  private:
    struct Job {
        OutputBuffer buffer;
        std::size_t length;
    };
    void Run();

    int fd_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queue_;
    std::vector<OutputBuffer> spare_;
    bool writing_ = false;
    bool stopping_ = false;
    int error_ = 0;
    std::thread thread_;
};

}  // namespace zaveze
