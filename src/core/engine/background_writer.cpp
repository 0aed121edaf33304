// SPDX-License-Identifier: MIT
#include "core/engine/background_writer.h"

#include <cerrno>

#include "core/files/file_descriptor.h"

namespace zaveze {
namespace {

// Enough to keep the writing thread busy while the next buffer fills; more only costs memory.
constexpr std::size_t kMaxBuffersOut = 3;

}  // namespace

BackgroundWriter::BackgroundWriter(int fd) : fd_(fd), thread_([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

OutputBuffer BackgroundWriter::Hand_Over(OutputBuffer full, std::size_t length) {
    std::unique_lock lock(mutex_);
    queue_.push_back({std::move(full), length});
    changed_.notify_all();
    // Handed over and not yet back among the spare buffers: waiting, or being written.
    changed_.wait(lock, [this] {
        return queue_.size() + (writing_ ? 1 : 0) < kMaxBuffersOut || error_ != 0;
    });
    if (spare_.empty()) {
        return OutputBuffer();
    }
    OutputBuffer next = std::move(spare_.back());
    spare_.pop_back();
    return next;
}

int BackgroundWriter::Finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (queue_.empty() && !writing_) || error_ != 0; });
    return error_;
}

bool BackgroundWriter::Failed() {
    const std::lock_guard lock(mutex_);
    return error_ != 0;
}

void BackgroundWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        Job job = std::move(queue_.front());
        queue_.pop_front();
        writing_ = true;
        lock.unlock();
        const bool written = Write_All(fd_, job.buffer.View().substr(0, job.length));
        const int error = written ? 0 : errno;
        job.buffer.Clear();
        lock.lock();
        writing_ = false;
        if (error_ == 0 && error != 0) {
            error_ = error;
        }
        if (error_ != 0) {
            queue_.clear();
        }
        spare_.push_back(std::move(job.buffer));
        changed_.notify_all();
    }
}

}  // namespace zaveze
