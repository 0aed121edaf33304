// SPDX-License-Identifier: MIT
// The file interface on POSIX systems (Linux first: unnamed files with O_TMPFILE, names given
// with linkat, renames that do not replace with renameat2).

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/files/platform/file_system.h"

namespace zaveze::platform {
namespace {

FileKind Kind_Of(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Directory;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Fifo;
    }
    if (S_ISLNK(mode)) {
        return FileKind::SymbolicLink;
    }
    return FileKind::Other;
}

FileStatus From_Stat(const struct stat& status) {
    FileStatus result;
    result.kind = Kind_Of(status.st_mode);
    result.identity = {static_cast<std::uint64_t>(status.st_dev),
                       static_cast<std::uint64_t>(status.st_ino)};
    result.size = static_cast<std::uint64_t>(status.st_size);
    result.modified_ns =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    result.permissions = status.st_mode & 07777;
    result.owner = status.st_uid;
    result.group = status.st_gid;
    return result;
}

// The errors of link() that mean the file system has no hard links.
bool No_Links_Here(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
}

}  // namespace

std::optional<FileStatus> Status_Of_Path(const std::string& path, bool follow_links) {
    struct stat status {};
    const int result =
        follow_links ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status);
    if (result != 0) {
        return std::nullopt;
    }
    return From_Stat(status);
}

std::optional<FileStatus> Status_Of(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return std::nullopt;
    }
    return From_Stat(status);
}

int Open_For_Reading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd >= 0) {
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    return fd;
}

Folder::~Folder() {
    if (native_ >= 0) {
        ::close(static_cast<int>(native_));
    }
}

bool Folder::Open(const std::string& path) {
    path_ = path;
    const char* const name = path.empty() ? "." : path.c_str();
    int fd = ::open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        fd = ::open(name, O_PATH | O_DIRECTORY | O_CLOEXEC);  // enough to name files in it
    }
    native_ = fd;
    return fd >= 0;
}

namespace {

int Fd_Of(const Folder& folder) {
    return static_cast<int>(folder.Native());
}

}  // namespace

int Create_New(const Folder& folder, const std::string& name, std::uint32_t permissions) {
    return ::openat(Fd_Of(folder), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    permissions & 0777);
}

int Create_Unnamed(const Folder& folder, std::uint32_t permissions) {
    const int fd =
        ::openat(Fd_Of(folder), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, permissions & 0777);
    // File systems (and old kernels) without unnamed files say so in different ways.
    if (fd < 0 && (errno == EISDIR || errno == EINVAL)) {
        errno = EOPNOTSUPP;
    }
    return fd;
}

std::optional<FileStatus> Status_Of_Name(const Folder& folder, const std::string& name,
                                         bool follow_links) {
    struct stat status {};
    if (::fstatat(Fd_Of(folder), name.c_str(), &status, follow_links ? 0 : AT_SYMLINK_NOFOLLOW) !=
        0) {
        return std::nullopt;
    }
    return From_Stat(status);
}

std::string Temporary_Folder() {
    std::error_code ignored;
    const std::string folder = std::filesystem::temp_directory_path(ignored).string();
    return folder.empty() ? "/tmp" : folder;
}

int Create_Temporary() {
    const std::string folder = Temporary_Folder();
    if (const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) {
        return fd;
    }
    // A temporary folder without unnamed files: a fresh name, removed at once.
    std::string name = folder + "/zaveze-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) {
        ::unlink(name.c_str());
    }
    return fd;
}

bool Close(int fd) {
    return ::close(fd) == 0;
}

std::int64_t Read(int fd, char* buffer, std::size_t size) {
    ssize_t count;
    do {
        count = ::read(fd, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count;
}

std::int64_t Read_At(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
    return ::pread(fd, buffer, size, static_cast<off_t>(offset));
}

bool Write_All(int fd, std::string_view bytes) {
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

std::int64_t Seek(int fd, std::int64_t offset, int whence) {
    return ::lseek(fd, static_cast<off_t>(offset), whence);
}

bool Truncate(int fd, std::uint64_t size) {
    return ::ftruncate(fd, static_cast<off_t>(size)) == 0;
}

int Duplicate(int fd) {
    return ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

bool Flush(int fd) {
    return ::fsync(fd) == 0;
}

bool Flush_Folder(const Folder& folder) {
    // Some file systems cannot flush a folder and say so, and a folder opened only to name
    // files in it cannot be flushed: there is nothing more to do then.
    return ::fsync(Fd_Of(folder)) == 0 || errno == EINVAL || errno == EROFS || errno == EBADF;
}

bool Give_Name(int fd, const Folder& folder, const std::string& name) {
    const std::string opened = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, opened.c_str(), Fd_Of(folder), name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    if (errno != ENOENT) {
        return false;
    }
    // No /proc: the direct way, which needs more privilege.
    return ::linkat(fd, "", Fd_Of(folder), name.c_str(), AT_EMPTY_PATH) == 0;
}

bool Rename_No_Replace(const Folder& folder, const std::string& from, const std::string& to) {
    const int at = Fd_Of(folder);
    if (::renameat2(at, from.c_str(), at, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without RENAME_NOREPLACE: a hard link cannot replace anything either.
    if (::linkat(at, from.c_str(), at, to.c_str(), 0) != 0) {
        if (No_Links_Here(errno)) {
            errno = EOPNOTSUPP;
        }
        return false;
    }
    ::unlinkat(at, from.c_str(), 0);
    return true;
}

bool Rename_Replacing(const Folder& folder, const std::string& from, const std::string& to) {
    return ::renameat(Fd_Of(folder), from.c_str(), Fd_Of(folder), to.c_str()) == 0;
}

bool Remove(const Folder& folder, const std::string& name) {
    return ::unlinkat(Fd_Of(folder), name.c_str(), 0) == 0;
}

std::optional<std::string> Link_Text(const std::string& link) {
    std::vector<char> text(256);
    for (;;) {
        const ssize_t length = ::readlink(link.c_str(), text.data(), text.size());
        if (length < 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(length) < text.size()) {
            return std::string(text.data(), static_cast<std::size_t>(length));
        }
        text.resize(text.size() * 2);
    }
}

bool Take_Attributes(int fd, const FileStatus& model) {
    // Only a privileged process may give a file away; for the others the owner is themselves.
    if (::fchown(fd, model.owner, model.group) != 0 && errno != EPERM) {
        return false;
    }
    return ::fchmod(fd, model.permissions) == 0;
}

std::vector<std::string> Names_Matching(const std::string& argument) {
    return {argument};
}

std::string Error_Text(int error) {
    return std::strerror(error);
}

int Standard_Output() {
    return STDOUT_FILENO;
}

void Prepare_Standard_Streams() {}  // bytes and UTF-8 pass as they are

}  // namespace zaveze::platform
