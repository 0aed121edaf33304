// SPDX-License-Identifier: MIT
#pragma once
// Tests that run on every kind of file system the program meets: with unnamed files (Linux's
// ext4, tmpfs), without them, and without links either (exFAT and FAT memory cards, many network
// shares), pretended on whatever file system the test folder is on by the naming the output is
// given.

#include <array>
#include <cerrno>
#include <string>

#include "core/files/platform/file_system.h"

namespace zaveze::testing {

enum class FileSystemLimits {
    None,
    NoUnnamedFiles,  // no unnamed files
    NoLinks,         // nor hard links nor renames that refuse to replace, as on exFAT and FAT
};

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

// The system's naming, less what a file system with `limits` lacks: those calls fail with
// EOPNOTSUPP, as they do there.
class LimitedNaming final : public platform::FileNaming {
  public:
    explicit LimitedNaming(FileSystemLimits limits) : limits_(limits) {}

    int Create_Unnamed(const platform::Folder& folder, std::uint32_t permissions) const override {
        if (limits_ >= FileSystemLimits::NoUnnamedFiles) {
            errno = EOPNOTSUPP;
            return -1;
        }
        return FileNaming::Create_Unnamed(folder, permissions);
    }
    bool Rename_No_Replace(const platform::Folder& folder, const std::string& from,
                           const std::string& to) const override {
        if (limits_ >= FileSystemLimits::NoLinks) {
            errno = EOPNOTSUPP;
            return false;
        }
        return FileNaming::Rename_No_Replace(folder, from, to);
    }

  private:
    FileSystemLimits limits_;
};

}  // namespace zaveze::testing
