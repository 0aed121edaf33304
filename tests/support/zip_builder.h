// SPDX-License-Identifier: MIT
#pragma once
// ZIP archives written byte by byte, for archives that no library would write: odd names, dates,
// extra fields, methods and flags, damaged entries, archives back to back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zaveze::testing {

struct RawEntry {
    std::string name;  // the name's bytes as stored
    std::string data;  // the entry's data as stored (compressed, for a compressed entry)
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint16_t dos_time = 0x6000, dos_date = 0x3C21;  // 12:00:00 on 2010-01-01
    std::uint32_t crc = 0;
    std::uint32_t size = 0;  // uncompressed
    std::string local_extra, central_extra, comment;
    // A data descriptor after the data, as streaming writers leave: the local header's checksum
    // and sizes are then 0 and flag 8 is set.
    std::string descriptor;
    std::uint32_t external_attributes = 0;
    std::string gap;  // bytes after the entry that belong to no entry, as some writers leave
};

// An entry holding `bytes` as they are, or deflated, with its right checksum and size.
RawEntry Stored(std::string name, std::string_view bytes);
RawEntry Deflated(std::string name, std::string_view bytes);
// The entry as a streaming writer leaves it: its checksum and sizes in a data descriptor.
RawEntry Streamed(RawEntry entry);

// The archive: the entries' local headers and data in order, then the central directory, then
// the end record with the archive's comment.
std::string Zip_Bytes(const std::vector<RawEntry>& entries, std::string_view comment = {});

// What an archive made that way holds, read back: the central directory's records, the end
// record's comment, and the bytes of an entry from its local header to the end of its data.
struct ZipLayout {
    std::vector<std::string> records;
    std::string comment;
    std::uint64_t directory_start = 0;
};
ZipLayout Layout_Of(std::string_view archive);
std::string Local_Entry(std::string_view archive, std::string_view record);
// An entry's data, inflated where it is deflated.
std::string Entry_Content(std::string_view archive, std::string_view record);

std::uint64_t Little_Endian(std::string_view bytes, std::size_t at, std::size_t width);

}  // namespace zaveze::testing
