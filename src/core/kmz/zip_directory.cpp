// SPDX-License-Identifier: MIT
#include "core/kmz/zip_directory.h"

#include <algorithm>
#include <tuple>

#include "core/files/platform/file_system.h"
#include "core/kmz/zip_records.h"

namespace zaveze::zip {
namespace {

constexpr std::size_t kLongestComment = 0xFFFF;

// The ZIP64 end record that the locator before the end record points to: right before the
// locator, as Python's zipfile looks first, or where the locator says. The locator counts from
// the archive's own start, so for an archive with bytes before it (another ZIP64 archive, say)
// its offset may point to the same place in the earlier archive: the record right before comes
// first.
std::optional<std::uint64_t> Find_Zip64_End_Record(int fd, std::uint64_t end_record) {
    if (end_record < kZip64LocatorSize + kZip64EndRecordSize) {
        return std::nullopt;
    }
    const auto locator = Read_Exactly(fd, end_record - kZip64LocatorSize, kZip64LocatorSize);
    if (!locator || locator->substr(0, 4) != kZip64LocatorSignature) {
        return std::nullopt;
    }
    const std::uint64_t right_before = end_record - kZip64LocatorSize - kZip64EndRecordSize;
    for (const std::uint64_t candidate : {right_before, Get(*locator, 8, 8)}) {
        const auto record = Read_Exactly(fd, candidate, 4);
        if (record && *record == kZip64EndRecordSignature) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> Read_Exactly(int fd, std::uint64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const std::int64_t count =
            platform::Read_At(fd, bytes.data() + got, size - got, offset + got);
        if (count <= 0) {
            return std::nullopt;
        }
        got += static_cast<std::size_t>(count);
    }
    return bytes;
}

std::optional<std::size_t> Find_End_Record_In(std::string_view tail) {
    if (tail.size() < kEndRecordSize) {
        return std::nullopt;
    }
    std::size_t at = tail.rfind(kEndRecordSignature, tail.size() - kEndRecordSize);
    while (at != std::string::npos && at + kEndRecordSize + Get(tail, at + 20, 2) > tail.size()) {
        at = at == 0 ? std::string::npos : tail.rfind(kEndRecordSignature, at - 1);
    }
    if (at == std::string::npos || Get(tail, at + 4, 2) != 0 || Get(tail, at + 6, 2) != 0) {
        return std::nullopt;  // none, or an archive split over several disks
    }
    return at;
}

bool Tail_Ends_Like_An_Archive(std::string_view tail, std::uint64_t total) {
    const auto at = Find_End_Record_In(tail);
    if (!at) {
        return false;
    }
    if (*at >= kZip64LocatorSize &&
        tail.substr(*at - kZip64LocatorSize, 4) == kZip64LocatorSignature) {
        return true;
    }
    const std::uint64_t tail_start = total - tail.size(), end_record = tail_start + *at;
    const std::uint64_t directory_size = Get(tail, *at + 12, 4);
    if (directory_size == 0 || directory_size > end_record) {
        return false;
    }
    const std::uint64_t directory = end_record - directory_size;
    // A directory before the kept bytes cannot be looked at: the end record has to do.
    return directory < tail_start ||
           tail.substr(directory - tail_start, 4) == kCentralRecordSignature;
}

std::optional<EndRecords> Find_End_Records(int fd, std::uint64_t file_size) {
    const std::size_t tail_size = static_cast<std::size_t>(
        std::min<std::uint64_t>(file_size, kEndRecordSize + kLongestComment));
    const std::uint64_t tail_start = file_size - tail_size;
    const auto tail = Read_Exactly(fd, tail_start, tail_size);
    if (!tail || tail_size < kEndRecordSize) {
        return std::nullopt;
    }
    const auto found = Find_End_Record_In(*tail);
    if (!found) {
        return std::nullopt;
    }
    const std::size_t at = *found;
    EndRecords end;
    end.end_record = tail_start + at;
    end.entries = Get(*tail, at + 10, 2);
    std::uint64_t directory_size = Get(*tail, at + 12, 4);
    std::uint64_t directory_offset = Get(*tail, at + 16, 4);
    std::uint64_t directory_end = end.end_record;
    end.zip64_end_record = Find_Zip64_End_Record(fd, end.end_record);
    if (end.zip64_end_record) {
        const auto record = Read_Exactly(fd, *end.zip64_end_record, kZip64EndRecordSize);
        if (!record) {
            return std::nullopt;
        }
        end.entries = Get(*record, 32, 8);
        directory_size = Get(*record, 40, 8);
        directory_offset = Get(*record, 48, 8);
        directory_end = *end.zip64_end_record;
    }
    if (directory_size > directory_end || directory_end - directory_size < directory_offset) {
        return std::nullopt;
    }
    end.directory_start = directory_end - directory_size;
    end.directory_end = directory_end;
    end.archive_start = end.directory_start - directory_offset;
    return end;
}

bool CentralRecord::Parse(std::string bytes) {
    bytes_ = std::move(bytes);
    zip64_size_ = zip64_compressed_size_ = zip64_local_offset_ = std::string::npos;
    size_ = Get(bytes_, central::kSize, 4);
    compressed_size_ = Get(bytes_, central::kCompressedSize, 4);
    local_offset_ = Get(bytes_, central::kLocalOffset, 4);
    std::size_t length = 0;
    const std::size_t zip64 = Zip64_Data(bytes_, kCentralRecordSize + Name().size(),
                                         Get(bytes_, central::kExtraLength, 2), length);
    // The ZIP64 field holds, in this order, just the numbers whose own field says kUse64.
    std::size_t next = zip64;
    for (auto [value, place] : {std::pair{&size_, &zip64_size_},
                                {&compressed_size_, &zip64_compressed_size_},
                                {&local_offset_, &zip64_local_offset_}}) {
        if (*value != kUse64) {
            continue;
        }
        if (zip64 == std::string::npos || next + 8 > zip64 + length) {
            return false;
        }
        *value = Get(bytes_, next, 8);
        *place = next;
        next += 8;
    }
    return true;
}

std::string_view CentralRecord::Name() const {
    return std::string_view(bytes_).substr(kCentralRecordSize,
                                           Get(bytes_, central::kNameLength, 2));
}
std::uint16_t CentralRecord::Flags() const {
    return static_cast<std::uint16_t>(Get(bytes_, central::kFlags, 2));
}
std::uint16_t CentralRecord::Method() const {
    return static_cast<std::uint16_t>(Get(bytes_, central::kMethod, 2));
}
std::uint32_t CentralRecord::Crc() const {
    return static_cast<std::uint32_t>(Get(bytes_, central::kCrc, 4));
}

// Puts the numbers where the record keeps them: in the ZIP64 extra field where it has a place
// for them, else in their own fields, but for one of 4 GiB or more, which needs a ZIP64 place.
void CentralRecord::Store_Numbers() {
    bool needs_place = false;
    for (const auto& [field, place, value] :
         {std::tuple{central::kSize, zip64_size_, size_},
          {central::kCompressedSize, zip64_compressed_size_, compressed_size_},
          {central::kLocalOffset, zip64_local_offset_, local_offset_}}) {
        if (place != std::string::npos) {
            Put(bytes_, place, 8, value);
        } else if (value >= kUse64) {
            Put(bytes_, field, 4, kUse64);
            needs_place = true;
        } else {
            Put(bytes_, field, 4, value);
        }
    }
    if (needs_place) {
        Rebuild_Zip64_Field();
    }
}

// Writes the ZIP64 extra field anew, with the numbers whose 32-bit fields defer to it, in the
// order the format gives (size, compressed size, offset), in place of any it had.
void CentralRecord::Rebuild_Zip64_Field() {
    std::string data;
    for (const auto& [field, value] : {std::pair{central::kSize, size_},
                                       {central::kCompressedSize, compressed_size_},
                                       {central::kLocalOffset, local_offset_}}) {
        if (Get(bytes_, field, 4) == kUse64) {
            const std::size_t at = data.size();
            data.resize(at + 8);
            Put(data, at, 8, value);
        }
    }
    const std::size_t name_end = kCentralRecordSize + Name().size();
    const std::size_t extra_length = Get(bytes_, central::kExtraLength, 2);
    std::string extra = Without_Zip64_Field(bytes_.substr(name_end, extra_length));
    extra += std::string("\x01\x00", 2) + std::string(2, '\0') + data;
    Put(extra, extra.size() - data.size() - 2, 2, data.size());
    const std::string comment = bytes_.substr(name_end + extra_length);
    std::string bytes = bytes_.substr(0, name_end) + extra + comment;
    Put(bytes, central::kExtraLength, 2, extra.size());
    Put(bytes, central::kVersionNeeded, 2,
        std::max<std::uint64_t>(Get(bytes, central::kVersionNeeded, 2), kZip64Version));
    Parse(std::move(bytes));
}

void CentralRecord::Set_Local_Offset(std::uint64_t offset) {
    local_offset_ = offset;
    Store_Numbers();
}

void CentralRecord::Set_Sizes(std::uint64_t compressed_size, std::uint64_t size) {
    compressed_size_ = compressed_size;
    size_ = size;
    Store_Numbers();
}

void CentralRecord::Set_Deflated(std::uint32_t crc) {
    Put(bytes_, central::kFlags, 2, Flags() & ~kDataDescriptor);
    Put(bytes_, central::kMethod, 2, kDeflated);
    Put(bytes_, central::kVersionNeeded, 2,
        std::max<std::uint64_t>(Get(bytes_, central::kVersionNeeded, 2), kDeflateVersion));
    Put(bytes_, central::kCrc, 4, crc);
}

void CentralDirectory::Rewind() {
    position_ = end_.directory_start;
    read_ = 0;
    damaged_ = false;
}

bool CentralDirectory::Count_Reached() const {
    // A count past 65,535 without a ZIP64 record wraps around, as some writers leave it.
    return read_ >= end_.entries ||
           (!end_.zip64_end_record && read_ > 0 && read_ % 0x10000 == end_.entries);
}

bool CentralDirectory::Next(CentralRecord& record) {
    if (damaged_ || position_ >= end_.directory_end) {
        damaged_ = damaged_ || !Count_Reached();  // fewer records than the end record counts
        return false;
    }
    const auto fixed = position_ + kCentralRecordSize <= end_.directory_end
                           ? Read_Exactly(fd_, position_, kCentralRecordSize)
                           : std::nullopt;
    if (!fixed || fixed->substr(0, 4) != kCentralRecordSignature) {
        // Once the count is reached, what is no record is bytes that the stated size counts
        // after the last one.
        damaged_ = !Count_Reached();
        return false;
    }
    damaged_ = true;  // until the record proves whole
    const std::uint64_t variable = Get(*fixed, central::kNameLength, 2) +
                                   Get(*fixed, central::kExtraLength, 2) +
                                   Get(*fixed, central::kCommentLength, 2);
    const std::uint64_t size = kCentralRecordSize + variable;
    if (position_ + size > end_.directory_end) {
        return false;
    }
    auto rest =
        Read_Exactly(fd_, position_ + kCentralRecordSize, static_cast<std::size_t>(variable));
    if (!rest || !record.Parse(*fixed + *rest)) {
        return false;
    }
    position_ += size;
    ++read_;
    damaged_ = false;
    return true;
}

}  // namespace zaveze::zip
