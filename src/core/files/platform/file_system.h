// SPDX-License-Identifier: MIT
#pragma once
// The operating system's files, behind one small interface: everything the program does with
// files goes through here, so that each system has one implementation (posix_file_system.cpp).
// Files are small integer descriptors; failures leave the system's error number in errno.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/platform/paths.h"

namespace zaveze::platform {

// Which file a path or descriptor names, whatever the spelling of the path.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

enum class FileKind { Regular, Directory, Fifo, SymbolicLink, Other };

struct FileStatus {
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    std::uint64_t size = 0;
    std::int64_t modified_ns = 0;  // modification time, nanoseconds since the epoch
    std::uint32_t permissions = 0;
    std::uint32_t owner = 0, group = 0;
};

// The status of the file a path names, following symbolic links or not; none with errno set.
std::optional<FileStatus> Status_Of_Path(const std::string& path, bool follow_links);
std::optional<FileStatus> Status_Of(int fd);

// A folder held open while files are made and named in it: every name below is made, changed or
// removed in that very folder, even when its path comes to name another one meanwhile (the
// folder moved away, a symbolic link put in its place). POSIX keeps a descriptor and works
// relative to it; Windows keeps a handle that lets nobody move or delete the folder until it is
// let go, and works by its path.
class Folder {
  public:
    Folder() = default;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();
    // Opens the folder `path` names ("" for the current one); false with errno set.
    bool Open(const std::string& path);
    const std::string& Path() const { return path_; }
    std::intptr_t Native() const { return native_; }

  private:
    std::string path_;
    std::intptr_t native_ = -1;
};

// Opening: for reading (sequential, not inherited by child processes); an unnamed read-write file
// in the temporary folder.
int Open_For_Reading(const std::string& path);
int Create_Temporary();
std::string Temporary_Folder();
bool Close(int fd);

// Reading and writing: the count (0 at the end), or -1.
std::int64_t Read(int fd, char* buffer, std::size_t size);
std::int64_t Read_At(int fd, char* buffer, std::size_t size, std::uint64_t offset);
bool Write_All(int fd, std::string_view bytes);
// Moves the position like lseek (whence: 0 start, 1 current, 2 end); the new position or -1.
std::int64_t Seek(int fd, std::int64_t offset, int whence);
bool Truncate(int fd, std::uint64_t size);
int Duplicate(int fd);
// Puts a file's content on the disk.
bool Flush(int fd);

// Files made in a folder by name (no path): a new file that no other file had the name of; an
// unnamed file, given a name later (-1 with EOPNOTSUPP where the file system has none). New files
// get `permissions` less the umask (POSIX; Windows files get their folder's).
inline constexpr std::uint32_t kNewFilePermissions = 0666;
int Create_New(const Folder& folder, const std::string& name,
               std::uint32_t permissions = kNewFilePermissions);
int Create_Unnamed(const Folder& folder, std::uint32_t permissions = kNewFilePermissions);
// The status of a name in the folder, following a symbolic link or not; none with errno set.
std::optional<FileStatus> Status_Of_Name(const Folder& folder, const std::string& name,
                                         bool follow_links);
// Names in the folder: gives an unnamed file a name (fails with EEXIST when it is taken);
// renames without replacing (EEXIST; EOPNOTSUPP where the file system has no way to, as exFAT,
// FAT and many network shares have none) or replacing; removes a name.
bool Give_Name(int fd, const Folder& folder, const std::string& name);
bool Rename_No_Replace(const Folder& folder, const std::string& from, const std::string& to);
bool Rename_Replacing(const Folder& folder, const std::string& from, const std::string& to);
bool Remove(const Folder& folder, const std::string& name);
// Puts the folder's names on the disk, where the system can (POSIX); on Windows a rename with
// MOVEFILE_WRITE_THROUGH already does, and this does nothing.
bool Flush_Folder(const Folder& folder);

// Reads a symbolic link's text.
std::optional<std::string> Link_Text(const std::string& link);

// Gives a new file the permissions, owner and group of `model`, as far as the process may.
bool Take_Attributes(int fd, const FileStatus& model);

// The two abilities that file systems differ in when a new file is named: files made unnamed
// (Linux's O_TMPFILE), and renames that refuse to replace (or hard links). The output asks for
// them through this seam; the system's own is the default, and tests hand in one without them,
// as exFAT and FAT are, so that the ways around them are covered on any machine.
class FileNaming {
  public:
    virtual ~FileNaming() = default;
    virtual int Create_Unnamed(const Folder& folder, std::uint32_t permissions) const {
        return platform::Create_Unnamed(folder, permissions);
    }
    virtual bool Rename_No_Replace(const Folder& folder, const std::string& from,
                                   const std::string& to) const {
        return platform::Rename_No_Replace(folder, from, to);
    }
};

inline const FileNaming& System_File_Naming() {
    static const FileNaming naming;
    return naming;
}

// The files a command-line argument names. Windows leaves "*" and "?" to the programs, as no
// file name holds them there: a name with them in its last part is a pattern, and its matches
// (the folder part kept, in the order of their names) come back; the shells of POSIX systems
// have expanded patterns already, and every name stands for itself.
std::vector<std::string> Names_Matching(const std::string& argument);

// The system's text for an error number, e.g. "No such file or directory".
std::string Error_Text(int error);

// The descriptor of standard output.
int Standard_Output();

// Makes standard output carry bytes exactly and show UTF-8 texts as such (Windows consoles).
void Prepare_Standard_Streams();

}  // namespace zaveze::platform
