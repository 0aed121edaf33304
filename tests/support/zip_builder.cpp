// SPDX-License-Identifier: MIT
#include "support/zip_builder.h"

#include <zlib.h>

#include <stdexcept>

namespace zaveze::testing {
namespace {

void Append(std::string& out, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i, value >>= 8) {
        out.push_back(static_cast<char>(value & 0xFF));
    }
}

std::uint32_t Crc_Of(std::string_view bytes) {
    return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0),
                                            reinterpret_cast<const Bytef*>(bytes.data()),
                                            static_cast<uInt>(bytes.size())));
}

// A central record's sizes and local header offset, from its ZIP64 extra field where it defers.
struct RecordNumbers {
    std::uint64_t size, compressed, offset;
};
RecordNumbers Numbers_Of(std::string_view record);

}  // namespace

std::uint64_t Little_Endian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    }
    return value;
}

RawEntry Stored(std::string name, std::string_view bytes) {
    RawEntry entry;
    entry.name = std::move(name);
    entry.data = std::string(bytes);
    entry.crc = Crc_Of(bytes);
    entry.size = static_cast<std::uint32_t>(bytes.size());
    return entry;
}

RawEntry Deflated(std::string name, std::string_view bytes) {
    RawEntry entry = Stored(std::move(name), bytes);
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
              Z_BEST_COMPRESSION);
    entry.data = out.substr(2, size - 6);  // the raw deflate data inside zlib's header and sum
    entry.method = 8;
    return entry;
}

RawEntry Streamed(RawEntry entry) {
    entry.descriptor = "PK\x07\x08";
    Append(entry.descriptor, entry.crc, 4);
    Append(entry.descriptor, entry.data.size(), 4);
    Append(entry.descriptor, entry.size, 4);
    return entry;
}

std::string Zip_Bytes(const std::vector<RawEntry>& entries, std::string_view comment) {
    std::string archive, directory;
    for (const RawEntry& entry : entries) {
        const std::uint64_t offset = archive.size();
        for (const bool central : {false, true}) {
            std::string& out = central ? directory : archive;
            out += central ? "PK\x01\x02" : "PK\x03\x04";
            if (central) {
                Append(out, 0x031E, 2);  // made by: Unix, version 3.0
            }
            Append(out, 20, 2);
            const bool streamed = !entry.descriptor.empty();
            Append(out, entry.flags | (streamed ? 8 : 0), 2);
            Append(out, entry.method, 2);
            Append(out, entry.dos_time, 2);
            Append(out, entry.dos_date, 2);
            const bool zero = streamed && !central;
            Append(out, zero ? 0 : entry.crc, 4);
            Append(out, zero ? 0 : entry.data.size(), 4);
            Append(out, zero ? 0 : entry.size, 4);
            Append(out, entry.name.size(), 2);
            const std::string& extra = central ? entry.central_extra : entry.local_extra;
            Append(out, extra.size(), 2);
            if (central) {
                Append(out, entry.comment.size(), 2);
                Append(out, 0, 2);  // disk
                Append(out, 0, 2);  // internal attributes
                Append(out, entry.external_attributes, 4);
                Append(out, offset, 4);
            }
            out += entry.name + extra +
                   (central ? entry.comment : entry.data + entry.descriptor + entry.gap);
        }
    }
    const std::uint64_t directory_start = archive.size();
    archive += directory;
    archive += std::string("PK\x05\x06", 4);
    Append(archive, 0, 4);
    Append(archive, entries.size(), 2);
    Append(archive, entries.size(), 2);
    Append(archive, directory.size(), 4);
    Append(archive, directory_start, 4);
    Append(archive, comment.size(), 2);
    archive += comment;
    return archive;
}

namespace {

RecordNumbers Numbers_Of(std::string_view record) {
    RecordNumbers numbers{Little_Endian(record, 24, 4), Little_Endian(record, 20, 4),
                          Little_Endian(record, 42, 4)};
    std::size_t at = 46 + Little_Endian(record, 28, 2);
    const std::size_t end = at + Little_Endian(record, 30, 2);
    while (at + 4 <= end && Little_Endian(record, at, 2) != 1) {
        at += 4 + Little_Endian(record, at + 2, 2);
    }
    std::size_t next = at + 4;
    for (std::uint64_t* value : {&numbers.size, &numbers.compressed, &numbers.offset}) {
        if (*value == 0xFFFFFFFF && next + 8 <= end) {
            *value = Little_Endian(record, next, 8);
            next += 8;
        }
    }
    return numbers;
}

}  // namespace

ZipLayout Layout_Of(std::string_view archive) {
    const std::size_t end = archive.rfind(std::string_view("PK\x05\x06", 4));
    if (end == std::string_view::npos) {
        throw std::runtime_error("no end record");
    }
    ZipLayout layout;
    layout.directory_start = Little_Endian(archive, end + 16, 4);
    if (end >= 20 && archive.substr(end - 20, 4) == std::string_view("PK\x06\x07", 4)) {
        const std::size_t zip64_end = Little_Endian(archive, end - 20 + 8, 8);
        layout.directory_start = Little_Endian(archive, zip64_end + 48, 8);
    }
    layout.comment = std::string(archive.substr(end + 22, Little_Endian(archive, end + 20, 2)));
    // Every record there is, whatever the end record counts.
    std::size_t at = layout.directory_start;
    while (archive.substr(at, 4) == std::string_view("PK\x01\x02", 4)) {
        const std::size_t size = 46 + Little_Endian(archive, at + 28, 2) +
                                 Little_Endian(archive, at + 30, 2) +
                                 Little_Endian(archive, at + 32, 2);
        layout.records.emplace_back(archive.substr(at, size));
        at += size;
    }
    return layout;
}

std::string Local_Entry(std::string_view archive, std::string_view record) {
    const RecordNumbers numbers = Numbers_Of(record);
    const std::size_t at = numbers.offset;
    const std::size_t descriptor = (Little_Endian(archive, at + 6, 2) & 8) != 0 ? 16 : 0;
    const std::size_t size = 30 + Little_Endian(archive, at + 26, 2) +
                             Little_Endian(archive, at + 28, 2) + numbers.compressed + descriptor;
    return std::string(archive.substr(at, size));
}

std::string Entry_Content(std::string_view archive, std::string_view record) {
    const std::string local = Local_Entry(archive, record);
    const RecordNumbers numbers = Numbers_Of(record);
    std::string data = local.substr(30 + Little_Endian(local, 26, 2) + Little_Endian(local, 28, 2),
                                    numbers.compressed);
    if (Little_Endian(record, 10, 2) == 0) {
        return data;
    }
    std::string out(numbers.size, '\0');
    z_stream stream{};
    inflateInit2(&stream, -MAX_WBITS);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    inflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return out;
}

}  // namespace zaveze::testing
