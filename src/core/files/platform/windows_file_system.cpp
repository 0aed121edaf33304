// SPDX-License-Identifier: MIT
// The file interface on Windows. Paths arrive as UTF-8 and go to the system as UTF-16; files are
// C runtime descriptors over Win32 handles, opened binary and not inherited. Windows has no
// unnamed files, so outputs go through scratch names, and a replacing rename
// (MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) keeps the replaced file's
// attributes.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "core/files/platform/file_system.h"

namespace zaveze::platform {
namespace {

std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                          length, nullptr, nullptr);
    return text;
}

// The system's error as an error number, so that both systems give the same reasons.
int Errno_Of(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EBUSY;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        default:
            return EIO;
    }
}

bool Fail(DWORD error = ::GetLastError()) {
    errno = Errno_Of(error);
    return false;
}

std::int64_t Nanoseconds_Of(const FILETIME& time) {
    const std::int64_t ticks =
        (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100;  // 100 ns ticks since 1601
}

std::optional<FileStatus> Status_Of_Handle(HANDLE handle) {
    FileStatus status;
    switch (::GetFileType(handle)) {
        case FILE_TYPE_PIPE:
            status.kind = FileKind::Fifo;
            return status;
        case FILE_TYPE_DISK:
            break;
        default:
            status.kind = FileKind::Other;
            return status;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(handle, &information)) {
        Fail();
        return std::nullopt;
    }
    status.kind = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                      ? FileKind::Directory
                  : (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                      ? FileKind::SymbolicLink
                      : FileKind::Regular;
    status.identity = {
        information.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
    status.size =
        (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    status.modified_ns = Nanoseconds_Of(information.ftLastWriteTime);
    status.permissions =
        (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
    return status;
}

HANDLE Handle_Of(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int Descriptor_Of(HANDLE handle, int flags) {
    if (handle == INVALID_HANDLE_VALUE) {
        Fail();
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
    }
    return fd;
}

std::wstring Full_Path(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD length = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    const DWORD written = ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    full.resize(written);
    return full;
}

}  // namespace

std::optional<FileStatus> Status_Of_Path(const std::string& path, bool follow_links) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (follow_links ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    const HANDLE handle =
        ::CreateFileW(Wide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        Fail();
        return std::nullopt;
    }
    auto status = Status_Of_Handle(handle);
    ::CloseHandle(handle);
    return status;
}

std::optional<FileStatus> Status_Of(int fd) {
    return Status_Of_Handle(Handle_Of(fd));
}

int Open_For_Reading(const std::string& path) {
    return Descriptor_Of(::CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr),
                         _O_RDONLY);
}

Folder::~Folder() {
    if (native_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(native_));
    }
}

// Held without FILE_SHARE_DELETE: nobody can move, rename or delete the folder meanwhile, so its
// path keeps naming it (Windows has no calls relative to a folder's handle for all that is
// needed here).
bool Folder::Open(const std::string& path) {
    path_ = path;
    const HANDLE handle = ::CreateFileW(Wide(path.empty() ? "." : path).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return Fail();
    }
    native_ = reinterpret_cast<std::intptr_t>(handle);
    return true;
}

namespace {

std::string Path_In(const Folder& folder, const std::string& name) {
    return folder.Path() + name;
}

}  // namespace

int Create_New(const Folder& folder, const std::string& name, std::uint32_t) {
    return Descriptor_Of(
        ::CreateFileW(Wide(Path_In(folder, name)).c_str(), GENERIC_WRITE, kShareAll, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
        _O_WRONLY);
}

std::optional<FileStatus> Status_Of_Name(const Folder& folder, const std::string& name,
                                         bool follow_links) {
    return Status_Of_Path(Path_In(folder, name), follow_links);
}

int Create_Unnamed(const Folder&, std::uint32_t) {
    errno = EOPNOTSUPP;  // Windows has no unnamed files
    return -1;
}

std::string Temporary_Folder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    return length == 0 ? std::string(".") : Narrow(std::wstring(folder, length));
}

int Create_Temporary() {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (::GetTempPathW(MAX_PATH + 1, folder) == 0 ||
        ::GetTempFileNameW(folder, L"zvz", 0, name) == 0) {
        Fail();
        return -1;
    }
    // Removed by the system when closed, even when the process ends otherwise.
    return Descriptor_Of(
        ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr),
        _O_RDWR);
}

bool Close(int fd) {
    return ::_close(fd) == 0;
}

std::int64_t Read(int fd, char* buffer, std::size_t size) {
    const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30));
    const int count = ::_read(fd, buffer, chunk);
    if (count < 0 && errno == EBADF && Status_Of(fd) && Status_Of(fd)->kind == FileKind::Fifo) {
        return 0;  // a pipe whose writer has gone
    }
    return count;
}

std::int64_t Read_At(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
    const std::int64_t was = ::_lseeki64(fd, 0, SEEK_CUR);
    if (was < 0 || ::_lseeki64(fd, static_cast<std::int64_t>(offset), SEEK_SET) < 0) {
        return -1;
    }
    const std::int64_t count = Read(fd, buffer, size);
    ::_lseeki64(fd, was, SEEK_SET);
    return count;
}

bool Write_All(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30));
        const int count = ::_write(fd, bytes.data(), chunk);
        if (count < 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

std::int64_t Seek(int fd, std::int64_t offset, int whence) {
    return ::_lseeki64(fd, offset, whence);
}

bool Truncate(int fd, std::uint64_t size) {
    return ::_chsize_s(fd, static_cast<std::int64_t>(size)) == 0;
}

int Duplicate(int fd) {
    return ::_dup(fd);
}

bool Flush(int fd) {
    return ::FlushFileBuffers(Handle_Of(fd)) ? true : Fail();
}

bool Flush_Folder(const Folder&) {
    return true;  // the renames are written through
}

bool Give_Name(int, const Folder&, const std::string&) {
    errno = EOPNOTSUPP;
    return false;
}

bool Rename_No_Replace(const Folder& folder, const std::string& from, const std::string& to) {
    return ::MoveFileExW(Full_Path(Path_In(folder, from)).c_str(),
                         Full_Path(Path_In(folder, to)).c_str(), MOVEFILE_WRITE_THROUGH)
               ? true
               : Fail();
}

bool Rename_Replacing(const Folder& folder, const std::string& from, const std::string& to) {
    const std::wstring source = Full_Path(Path_In(folder, from)),
                       target = Full_Path(Path_In(folder, to));
    // A read-only file is one the user protected: it is not replaced.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        errno = EACCES;
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        ::SetFileAttributesW(source.c_str(), attributes);  // the replaced file's attributes stay
    }
    return ::MoveFileExW(source.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? true
               : Fail();
}

bool Remove(const Folder& folder, const std::string& name) {
    return ::DeleteFileW(Wide(Path_In(folder, name)).c_str()) ? true : Fail();
}

std::optional<std::string> Link_Text(const std::string&) {
    errno = EOPNOTSUPP;
    return std::nullopt;
}

bool Take_Attributes(int, const FileStatus&) {
    return true;  // the replacing rename carries the attributes over
}

std::string Error_Text(int error) {
    return std::strerror(error);
}

int Standard_Output() {
    return 1;
}

void Prepare_Standard_Streams() {
    ::_setmode(1, _O_BINARY);  // a KML file written to "-" keeps its CR LF and every byte
    ::SetConsoleOutputCP(CP_UTF8);
}

std::vector<std::string> Names_Matching(const std::string& argument) {
    const std::size_t name_at = argument.find_last_of("\\/:") + 1;  // 0 when there is none
    if (argument.find_first_of("*?", name_at) == std::string::npos) {
        return {argument};
    }
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileExW(Utf16_Of(argument).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = Utf8_Of(found.cFileName);
        if (name != "." && name != "..") {
            names.push_back(argument.substr(0, name_at) + name);
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Utf8_Of(const wchar_t* text) {
    return Narrow(text);
}

std::wstring Utf16_Of(const std::string& text) {
    return Wide(text);
}

}  // namespace zaveze::platform
