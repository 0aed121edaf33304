// SPDX-License-Identifier: MIT
#include "core/input_file.h"

#include <fcntl.h>

#include "core/messages.h"

namespace zaveze {
namespace {

// Why a file of this kind cannot be an input; none for one that can.
std::optional<std::string> Kind_Refusal(mode_t mode) {
    if (S_ISDIR(mode)) {
        return Error_Text(EISDIR);
    }
    if (!S_ISREG(mode) && !S_ISFIFO(mode)) {
        return std::string(messages::kNotRegularFile);
    }
    return std::nullopt;
}

bool Same_Time(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

std::optional<FileIdentity> Identity_Of(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

std::optional<std::string> InputFile::Open(const std::string& path) {
    // The kind is checked before opening as well as after: opening a device can have effects of
    // its own (a tape rewinds, a terminal becomes the controlling one).
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) {
        return Error_Text(errno);
    }
    if (auto refusal = Kind_Refusal(before.st_mode)) {
        return refusal;
    }
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!file.Is_Open()) {
        return Error_Text(errno);
    }
    return Adopt(std::move(file));
}

std::optional<std::string> InputFile::Adopt(FileDescriptor file) {
    if (::fstat(file.Get(), &opened_) != 0) {
        return Error_Text(errno);
    }
    if (auto refusal = Kind_Refusal(opened_.st_mode)) {
        return refusal;
    }
    if (S_ISREG(opened_.st_mode)) {
        ::posix_fadvise(file.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    file_ = std::move(file);
    bytes_read_ = 0;
    return std::nullopt;
}

bool InputFile::Rewind() {
    if (::lseek(file_.Get(), 0, SEEK_SET) != 0) {
        return false;
    }
    bytes_read_ = 0;
    return true;
}

ssize_t InputFile::Read(char* buffer, std::size_t size) {
    const ssize_t count = Read_Some(file_.Get(), buffer, size);
    if (count > 0) {
        bytes_read_ += static_cast<std::uint64_t>(count);
    }
    return count;
}

bool InputFile::Changed_Since_Opened() const {
    if (!S_ISREG(opened_.st_mode)) {
        return false;
    }
    struct stat now {};
    if (::fstat(file_.Get(), &now) != 0) {
        return true;
    }
    return now.st_size != opened_.st_size || !Same_Time(now.st_mtim, opened_.st_mtim);
}

bool InputFile::Changed_While_Read() const {
    return Changed_Since_Opened() ||
           (S_ISREG(opened_.st_mode) && bytes_read_ != static_cast<std::uint64_t>(opened_.st_size));
}

}  // namespace zaveze
