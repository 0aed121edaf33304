// SPDX-License-Identifier: MIT
#pragma once
// The records of a ZIP archive that a KMZ file is, as the ZIP format (PKWARE's APPNOTE) lays
// them out: little-endian numbers at fixed places, then names, extra fields and comments.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zaveze::zip {

inline constexpr std::string_view kLocalHeaderSignature{"PK\x03\x04", 4};
inline constexpr std::string_view kCentralRecordSignature{"PK\x01\x02", 4};
inline constexpr std::string_view kEndRecordSignature{"PK\x05\x06", 4};
inline constexpr std::string_view kZip64EndRecordSignature{"PK\x06\x06", 4};
inline constexpr std::string_view kZip64LocatorSignature{"PK\x06\x07", 4};
inline constexpr std::string_view kDataDescriptorSignature{"PK\x07\x08", 4};

inline constexpr std::size_t kLocalHeaderSize = 30;    // before the name and the extra field
inline constexpr std::size_t kCentralRecordSize = 46;  // before the name, extra field and comment
inline constexpr std::size_t kEndRecordSize = 22;      // before the archive's comment
inline constexpr std::size_t kZip64EndRecordSize = 56;
inline constexpr std::size_t kZip64LocatorSize = 20;
inline constexpr std::uint16_t kZip64ExtraId = 0x0001;
inline constexpr std::uint32_t kUse64 = 0xFFFFFFFF;  // "the value is in the ZIP64 extra field"

// General-purpose flags and methods.
inline constexpr std::uint16_t kEncrypted = 0x0001;
inline constexpr std::uint16_t kStrongEncryption = 0x0040;
inline constexpr std::uint16_t kDataDescriptor = 0x0008;
inline constexpr std::uint16_t kStored = 0;
inline constexpr std::uint16_t kDeflated = 8;
inline constexpr std::uint16_t kDeflateVersion = 20;  // version 2.0 is needed to inflate
inline constexpr std::uint16_t kZip64Version = 45;    // version 4.5 is needed for ZIP64

// Where the fields sit in a local header and in a central record.
namespace local {
inline constexpr std::size_t kVersionNeeded = 4, kFlags = 6, kMethod = 8, kCrc = 14,
                             kCompressedSize = 18, kSize = 22, kNameLength = 26, kExtraLength = 28;
}
namespace central {
inline constexpr std::size_t kVersionNeeded = 6, kFlags = 8, kMethod = 10, kCrc = 16,
                             kCompressedSize = 20, kSize = 24, kNameLength = 28, kExtraLength = 30,
                             kCommentLength = 32, kLocalOffset = 42;
}

inline std::uint64_t Get(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

inline void Put(std::string& bytes, std::size_t at, std::size_t width, std::uint64_t value) {
    for (std::size_t i = 0; i < width; ++i, value >>= 8) {
        bytes[at + i] = static_cast<char>(value & 0xFF);
    }
}

// Where the ZIP64 extra field's data starts within `bytes`, whose extra field spans
// [from, from + length); npos when there is none. A malformed extra field ends the search.
inline std::size_t Zip64_Data(std::string_view bytes, std::size_t from, std::size_t length,
                              std::size_t& data_length) {
    const std::size_t end = from + length;
    for (std::size_t at = from; at + 4 <= end;) {
        const auto id = static_cast<std::uint16_t>(Get(bytes, at, 2));
        const std::size_t size = Get(bytes, at + 2, 2);
        if (at + 4 + size > end) {
            break;
        }
        if (id == kZip64ExtraId) {
            data_length = size;
            return at + 4;
        }
        at += 4 + size;
    }
    return std::string_view::npos;
}

// An extra field without its ZIP64 field, the others as they are; a malformed rest stays whole.
inline std::string Without_Zip64_Field(std::string_view extra) {
    std::string kept;
    std::size_t at = 0;
    while (at + 4 <= extra.size()) {
        const std::size_t size = Get(extra, at + 2, 2);
        if (at + 4 + size > extra.size()) {
            break;
        }
        if (Get(extra, at, 2) != kZip64ExtraId) {
            kept.append(extra.substr(at, 4 + size));
        }
        at += 4 + size;
    }
    return kept.append(extra.substr(at));
}

}  // namespace zaveze::zip
