// SPDX-License-Identifier: MIT
#include "core/input_file.h"

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
    return std::nullopt;
}

bool InputFile::Rewind() {
    if (platform::Seek(file_.Get(), 0, 0) != 0) {
        return false;
    }
    bytes_read_ = 0;
    return true;
}

std::int64_t InputFile::Read(char* buffer, std::size_t size) {
    const std::int64_t count = Read_Some(file_.Get(), buffer, size);
    if (count > 0) {
        bytes_read_ += static_cast<std::uint64_t>(count);
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
