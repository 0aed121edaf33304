// SPDX-License-Identifier: MIT
#pragma once
// The input of a run, opened once and read once from start to end.
//
// Regular files, pipes and FIFOs are inputs. Folders, devices and sockets are refused before they
// are read: reading them would never end, or means nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/files/file_descriptor.h"

namespace zaveze {

using platform::FileIdentity;

// The identity of the file `path` names, following symbolic links; none when it does not exist.
std::optional<FileIdentity> Identity_Of(const std::string& path);

class InputFile {
  public:
    // Opens `path` for reading; on failure, returns the reason and the file stays closed.
    std::optional<std::string> Open(const std::string& path);

    // Takes over an open descriptor (a spool file made by the program), as Open does a path.
    std::optional<std::string> Adopt(FileDescriptor file);

    int Fd() const { return file_.Get(); }
    bool Is_Regular() const { return opened_.kind == platform::FileKind::Regular; }

    // Starts reading a regular file again from its first byte; false with errno on failure.
    bool Rewind();
    FileIdentity Identity() const { return opened_.identity; }
    // The permission bits a copy of it gets before the umask: a regular file's own, as cp gives
    // them; the usual ones for a pipe.
    std::uint32_t Permissions_For_Copy() const {
        return Is_Regular() ? opened_.permissions & 0777 : platform::kNewFilePermissions;
    }

    // Reads up to `size` bytes into `buffer`: the count, 0 at the end, -1 with errno on failure.
    std::int64_t Read(char* buffer, std::size_t size);

    // The first `count` bytes of the input (fewer for a shorter one), read without using them
    // up: a pipe shows what it carries only when read, so its first bytes are kept and handed
    // out again by Read. Call it before the first Read.
    std::string_view First_Bytes(std::size_t count);

    // The last bytes read from a pipe (at most kKeptPipeBytes), which a ZIP archive's end
    // records fit in, and how many bytes were read in all.
    static constexpr std::size_t kKeptPipeBytes = (64 << 10) + 64;
    std::string_view Last_Bytes() const { return last_bytes_; }
    std::uint64_t Bytes_Read() const { return bytes_read_; }

    // Whether a regular file was truncated, appended to or rewritten while it was read: its size
    // or modification time differ from when it was opened, or the bytes read differ from its size
    // then. Pipes cannot tell, and never count as changed.
    bool Changed_While_Read() const;
    // The same by size and modification time alone, for a file read through another descriptor
    // (a KMZ archive, read out of order).
    bool Changed_Since_Opened() const;

  private:
    FileDescriptor file_;
    platform::FileStatus opened_;
    std::uint64_t bytes_read_ = 0;
    std::string first_bytes_;       // what was read ahead
    std::size_t first_handed_ = 0;  // how much of it Read has handed out
    std::string last_bytes_;        // a pipe's, up to twice kKeptPipeBytes
};

}  // namespace zaveze
