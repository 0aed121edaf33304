// SPDX-License-Identifier: MIT
#pragma once
// Tests that run on every kind of file system the program meets: with unnamed files (Linux's
// ext4, tmpfs), without them, and without links either (exFAT and FAT memory cards, many network
// shares), pretended on whatever file system the test folder is on.

#include <array>
#include <string>

#include "core/files/platform/file_system.h"

namespace zaveze::testing {

using platform::FileSystemLimits;

inline constexpr std::array kEveryFileSystem = {
    FileSystemLimits::None, FileSystemLimits::NoUnnamedFiles, FileSystemLimits::NoLinks};

inline std::string Name_Of(FileSystemLimits limits) {
    switch (limits) {
        case FileSystemLimits::None:
            return "Full";
        case FileSystemLimits::NoUnnamedFiles:
            return "NoUnnamedFiles";
        case FileSystemLimits::NoLinks:
            return "NoLinks";
    }
    return "?";
}

// For the length of a scope, every file system behaves as one with `limits`.
class PretendedFileSystem {
  public:
    explicit PretendedFileSystem(FileSystemLimits limits) {
        platform::Pretend_File_System_Limits(limits);
    }
    ~PretendedFileSystem() { platform::Pretend_File_System_Limits(FileSystemLimits::None); }
    PretendedFileSystem(const PretendedFileSystem&) = delete;
    PretendedFileSystem& operator=(const PretendedFileSystem&) = delete;
};

}  // namespace zaveze::testing
