// SPDX-License-Identifier: MIT
#include "core/engine/text_source.h"

#include <algorithm>
#include <cstring>

namespace zaveze {
namespace {

constexpr std::size_t kEncodingBytes = 4;

}  // namespace

std::int64_t TextSource::Read_File(char* buffer, std::size_t size) {
    const std::int64_t count = read_(buffer, size);
    if (count > 0) {
        file_bytes_read_ += static_cast<std::uint64_t>(count);
    }
    return count;
}

bool TextSource::Start() {
    first_bytes_.resize(kEncodingBytes);
    std::size_t got = 0;
    while (got < kEncodingBytes) {
        const std::int64_t count = Read_File(first_bytes_.data() + got, kEncodingBytes - got);
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            break;
        }
        got += static_cast<std::size_t>(count);
    }
    first_bytes_.resize(got);
    encoding_ = Detect_Encoding(first_bytes_);
    if (Is_Utf16()) {
        decoder_.emplace(encoding_ == TextEncoding::Utf16BigEndian);
        decoder_->Decode(first_bytes_, decoded_);
        first_bytes_.clear();
    }
    return true;
}

std::int64_t TextSource::Read(char* buffer, std::size_t size) {
    if (Is_Utf16()) {
        return Read_Utf16(buffer, size);
    }
    if (first_bytes_.empty()) {
        return Read_File(buffer, size);
    }
    const std::size_t count = std::min(size, first_bytes_.size());
    std::memcpy(buffer, first_bytes_.data(), count);
    first_bytes_.erase(0, count);
    return static_cast<std::int64_t>(count);
}

std::int64_t TextSource::Read_Utf16(char* buffer, std::size_t size) {
    while (decoded_at_ == decoded_.size() && !ended_) {
        decoded_.clear();
        decoded_at_ = 0;
        raw_.resize(std::max<std::size_t>(size, kEncodingBytes));
        const std::int64_t count = Read_File(raw_.data(), raw_.size());
        if (count < 0) {
            return -1;
        }
        if (count == 0) {
            ended_ = true;
            cut_short_ = !decoder_->Finish(decoded_);
            break;
        }
        decoder_->Decode(std::string_view(raw_.data(), static_cast<std::size_t>(count)), decoded_);
    }
    const std::size_t count = std::min(size, decoded_.size() - decoded_at_);
    std::memcpy(buffer, decoded_.data() + decoded_at_, count);
    decoded_at_ += count;
    return static_cast<std::int64_t>(count);
}

}  // namespace zaveze
