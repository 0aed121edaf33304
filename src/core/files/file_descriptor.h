// SPDX-License-Identifier: MIT
#pragma once
// An open file that closes itself, and reading and writing whole blocks with the system's reason
// for a failure.

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/files/platform/file_system.h"

namespace zaveze {

class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }
    bool Is_Open() const { return fd_ >= 0; }

    // Closes the file; false (with errno set) when the system reports a failure, which for a
    // written file can be the first sign of a failed write.
    bool Close() {
        if (fd_ < 0) {
            return true;
        }
        const bool closed = platform::Close(fd_);
        fd_ = -1;
        return closed;
    }

  private:
    int fd_ = -1;
};

// The system's text for an error number, e.g. "No such file or directory".
inline std::string Error_Text(int error) {
    return platform::Error_Text(error);
}

// Reads up to `size` bytes; -1 with errno set on failure, 0 at the end of the file.
inline std::int64_t Read_Some(int fd, char* buffer, std::size_t size) {
    return platform::Read(fd, buffer, size);
}

// Writes all of `bytes`; false with errno set on failure.
inline bool Write_All(int fd, std::string_view bytes) {
    return platform::Write_All(fd, bytes);
}

}  // namespace zaveze
