// SPDX-License-Identifier: MIT
#include "core/files/spool.h"

#include <vector>

#include "core/engine/writing_pass.h"

namespace zaveze {
std::optional<EmbedResult> Open_Temporary_File(FileDescriptor& file) {
    file = FileDescriptor(platform::Create_Temporary());
    if (!file.Is_Open()) {
        return EmbedResult{EmbedStatus::FolderFailed, Error_Text(errno),
                           platform::Temporary_Folder()};
    }
    return std::nullopt;
}

// Copies a piped input into an unnamed file in the temporary folder and makes that the input.
EmbedResult Spool(InputFile& input) {
    if (input.Is_Regular()) {
        return {};  // can be read again as it is
    }
    FileDescriptor spool;
    if (auto failure = Open_Temporary_File(spool)) {
        return *failure;
    }
    std::vector<char> block(kBlockSize);
    std::uint64_t total = 0;
    for (;;) {
        const std::int64_t count = input.Read(block.data(), block.size());
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
            return {EmbedStatus::FolderFailed, Error_Text(errno), platform::Temporary_Folder()};
        }
    }
    if (platform::Seek(spool.Get(), 0, 0) != 0) {
        return Read_Failure(errno);
    }
    if (const auto reason = input.Adopt(std::move(spool))) {
        return {EmbedStatus::ReadFailed, *reason, {}};
    }
    return {};
}

}  // namespace zaveze
