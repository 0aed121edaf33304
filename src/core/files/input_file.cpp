// SPDX-License-Identifier: MIT
#include "core/files/input_file.h"

#include <algorithm>

#include "core/messages.h"

namespace zaveze {
namespace {

using platform::FileKind;

// Why a file of this kind cannot be an input; none for one that can.
std::optional<std::string> Kind_Refusal(FileKind kind) {
    if (kind == FileKind::Directory) {
        return Error_Text(EISDIR);
    }
    if (kind != FileKind::Regular && kind != FileKind::Fifo) {
        return std::string(messages::kNotRegularFile);
    }
    return std::nullopt;
}

}  // namespace

std::optional<FileIdentity> Identity_Of(const std::string& path) {
    const auto status = platform::Status_Of_Path(path, true);
    if (!status) {
        return std::nullopt;
    }
    return status->identity;
}

std::optional<std::string> InputFile::Open(const std::string& path) {
    // The kind is checked before opening as well as after: opening a device can have effects of
    // its own (a tape rewinds, a terminal becomes the controlling one).
    const auto before = platform::Status_Of_Path(path, true);
    if (!before) {
        return Error_Text(errno);
    }
    if (auto refusal = Kind_Refusal(before->kind)) {
        return refusal;
    }
    FileDescriptor file(platform::Open_For_Reading(path));
    if (!file.Is_Open()) {
        return Error_Text(errno);
    }
    return Adopt(std::move(file));
}

std::optional<std::string> InputFile::Adopt(FileDescriptor file) {
    const auto status = platform::Status_Of(file.Get());
    if (!status) {
        return Error_Text(errno);
    }
    if (auto refusal = Kind_Refusal(status->kind)) {
        return refusal;
    }
    opened_ = *status;
    file_ = std::move(file);
    bytes_read_ = 0;
    first_bytes_.clear();
    first_handed_ = 0;
    return std::nullopt;
}

bool InputFile::Rewind() {
    if (platform::Seek(file_.Get(), 0, 0) != 0) {
        return false;
    }
    bytes_read_ = 0;
    return true;
}

std::string_view InputFile::First_Bytes(std::size_t count) {
    if (Is_Regular()) {
        first_bytes_.resize(count);
        const std::int64_t got = platform::Read_At(file_.Get(), first_bytes_.data(), count, 0);
        first_bytes_.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return first_bytes_;  // Read starts from the file's own position, as before
    }
    while (first_bytes_.size() < count) {
        char byte[64];
        const std::int64_t got =
            Read_Some(file_.Get(), byte, std::min(sizeof byte, count - first_bytes_.size()));
        if (got <= 0) {
            break;  // the end, or a failure that the next Read reports
        }
        first_bytes_.append(byte, static_cast<std::size_t>(got));
    }
    return first_bytes_;
}

std::int64_t InputFile::Read(char* buffer, std::size_t size) {
    std::int64_t count = 0;
    if (!Is_Regular() && first_handed_ < first_bytes_.size() && size > 0) {
        count = static_cast<std::int64_t>(std::min(size, first_bytes_.size() - first_handed_));
        std::copy_n(first_bytes_.data() + first_handed_, count, buffer);
        first_handed_ += static_cast<std::size_t>(count);
    } else {
        count = Read_Some(file_.Get(), buffer, size);
    }
    if (count > 0) {
        bytes_read_ += static_cast<std::uint64_t>(count);
        if (!Is_Regular()) {
            last_bytes_.append(buffer, static_cast<std::size_t>(count));
            if (last_bytes_.size() > 2 * kKeptPipeBytes) {
                last_bytes_.erase(0, last_bytes_.size() - kKeptPipeBytes);
            }
        }
    }
    return count;
}

bool InputFile::Changed_Since_Opened() const {
    if (!Is_Regular()) {
        return false;
    }
    const auto now = platform::Status_Of(file_.Get());
    return !now || now->size != opened_.size || now->modified_ns != opened_.modified_ns;
}

bool InputFile::Changed_While_Read() const {
    return Changed_Since_Opened() || (Is_Regular() && bytes_read_ != opened_.size);
}

}  // namespace zaveze
