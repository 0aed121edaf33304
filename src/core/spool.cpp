// SPDX-License-Identifier: MIT
#include "core/spool.h"

#include <fcntl.h>

#include <filesystem>
#include <vector>

#include "core/embed_pass.h"

namespace zaveze {
namespace {

std::string Temporary_Folder() {
    std::error_code ignored;
    const std::string folder = std::filesystem::temp_directory_path(ignored).string();
    return folder.empty() ? "/tmp" : folder;
}

}  // namespace

std::optional<EmbedResult> Open_Temporary_File(FileDescriptor& file) {
    const std::string folder = Temporary_Folder();
    file = FileDescriptor(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (!file.Is_Open()) {
        return EmbedResult{EmbedStatus::FolderFailed, Error_Text(errno), folder};
    }
    return std::nullopt;
}

// Copies a piped input into an unnamed file in the temporary folder and makes that the input.
EmbedResult Spool(InputFile& input) {
    FileDescriptor spool;
    if (auto failure = Open_Temporary_File(spool)) {
        return *failure;
    }
    std::vector<char> block(kBlockSize);
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t count = input.Read(block.data(), block.size());
        if (count < 0) {
            return Read_Failure(errno);
        }
        if (count == 0) {
            break;
        }
        total += static_cast<std::uint64_t>(count);
        if (total > kMaxSpoolBytes) {
            return {EmbedStatus::PipeTooLarge, {}, {}};
        }
        if (!Write_All(spool.Get(),
                       std::string_view(block.data(), static_cast<std::size_t>(count)))) {
            return {EmbedStatus::FolderFailed, Error_Text(errno), Temporary_Folder()};
        }
    }
    if (::lseek(spool.Get(), 0, SEEK_SET) != 0) {
        return Read_Failure(errno);
    }
    if (const auto reason = input.Adopt(std::move(spool))) {
        return {EmbedStatus::ReadFailed, *reason, {}};
    }
    return {};
}

}  // namespace zaveze
