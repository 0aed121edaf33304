// SPDX-License-Identifier: MIT
#pragma once
// Bytes on their way to the output file: a growable buffer written through a raw cursor, so the
// embedding copies runs of bytes with plain memcpy and checks the room once per block.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace zaveze {

class OutputBuffer {
  public:
    // Makes sure `bytes` more can be written, and returns where the next byte goes.
    char* Room_For(std::size_t bytes) {
        if (capacity_ - size_ < bytes) {
            Grow(size_ + bytes);
        }
        return data_.get() + size_;
    }
    // Adds `bytes` at the end.
    void Append(std::string_view bytes) {
        char* const cursor = Room_For(bytes.size());
        if (!bytes.empty()) {
            std::memcpy(cursor, bytes.data(), bytes.size());
        }
        size_ += bytes.size();
    }
    // Marks everything up to `cursor` (from Room_For) as written.
    void Written_Until(const char* cursor) {
        size_ = static_cast<std::size_t>(cursor - data_.get());
    }

    std::string_view View() const { return {data_.get(), size_}; }
    std::size_t Size() const { return size_; }
    void Clear() { size_ = 0; }
    // Forgets the first `bytes`, keeping the rest at the front.
    void Drop_Front(std::size_t bytes) {
        if (bytes == 0) {
            return;  // also for a buffer that has no storage yet
        }
        std::memmove(data_.get(), data_.get() + bytes, size_ - bytes);
        size_ -= bytes;
    }

  private:
    void Grow(std::size_t needed) {
        const std::size_t capacity = needed > 2 * capacity_ ? needed : 2 * capacity_;
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ > 0) {
            std::memcpy(data.get(), data_.get(), size_);
        }
        data_ = std::move(data);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace zaveze
