// SPDX-License-Identifier: MIT
#pragma once
// Thin helpers over POSIX file descriptors: reading and writing whole blocks, with the system's
// reason for a failure.

#include <sys/types.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

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
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_ = -1;
};

// The system's text for an error number, e.g. "No such file or directory".
inline std::string Error_Text(int error) {
    return std::strerror(error);
}

// Reads up to `size` bytes; -1 with errno set on failure, 0 at the end of the file.
inline ssize_t Read_Some(int fd, char* buffer, std::size_t size) {
    ssize_t count;
    do {
        count = ::read(fd, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count;
}

// Writes all of `bytes`; false with errno set on failure.
inline bool Write_All(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

}  // namespace zaveze
