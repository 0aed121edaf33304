// SPDX-License-Identifier: MIT
#include "core/kmz/main_document.h"

#include <algorithm>

#include "core/files/platform/file_system.h"
#include "core/kmz/kmz.h"
#include "core/kmz/zip_records.h"
#include "core/messages.h"

namespace zaveze::kmz {
namespace {

using zip::Get;

ArchiveRefusal Unusable(std::string reason) {
    return {false, std::move(reason)};
}

// The first ".kml" entry of the central directory, and its place in it.
std::optional<std::uint64_t> Find_Main_Record(zip::CentralDirectory& directory,
                                              zip::CentralRecord& record) {
    for (std::uint64_t index = 0; directory.Next(record); ++index) {
        if (Has_Extension(record.Name(), ".kml")) {
            return index;
        }
    }
    return std::nullopt;
}

// Where an entry that starts at `start` ends: after its local header and its data, as far as
// its header can be read (an unreadable one ends where it starts).
std::uint64_t Entry_End(int fd, std::uint64_t start, const zip::CentralRecord& record) {
    const auto fixed = zip::Read_Exactly(fd, start, zip::kLocalHeaderSize);
    if (!fixed || fixed->substr(0, 4) != zip::kLocalHeaderSignature) {
        return start;
    }
    return start + zip::kLocalHeaderSize + Get(*fixed, zip::local::kNameLength, 2) +
           Get(*fixed, zip::local::kExtraLength, 2) + record.Compressed_Size();
}

// Where the bytes after the main document start: the nearest entry after it, else the central
// directory. Another entry that starts inside it, or that starts before it and runs into it,
// makes the archive unusable.
std::optional<ArchiveRefusal> Find_Next_Start(int fd, zip::CentralDirectory& directory,
                                              const zip::EndRecords& end, std::uint64_t main_index,
                                              MainEntry& main, std::uint64_t data_end) {
    const std::string name(main.record.Name());
    main.next_start = end.directory_start;
    directory.Rewind();
    zip::CentralRecord other;
    for (std::uint64_t index = 0; directory.Next(other); ++index) {
        const std::uint64_t start = end.archive_start + other.Local_Offset();
        if (index == main_index) {
            continue;
        }
        const bool overlaps = start < main.local_start
                                  ? Entry_End(fd, start, other) > main.local_start
                                  : start < data_end;
        if (overlaps) {
            return Unusable(messages::Kml_Entry_Damaged(name, "another entry overlaps it"));
        }
        if (start >= main.local_start) {
            main.next_start = std::min(main.next_start, start);
        }
    }
    if (directory.Damaged()) {
        return Unusable("its list of entries is damaged");
    }
    return std::nullopt;
}

// The length of the main document's data descriptor, which the new entry does not need: its
// optional signature, the checksum, and the sizes in four bytes each, or eight for a ZIP64 entry.
std::uint64_t Descriptor_Length(int fd, const MainEntry& main, std::uint64_t data_end) {
    if ((Get(main.local_header, zip::local::kFlags, 2) & zip::kDataDescriptor) == 0) {
        return 0;
    }
    std::size_t zip64_length = 0;
    const bool zip64 =
        zip::Zip64_Data(main.local_header,
                        zip::kLocalHeaderSize + Get(main.local_header, zip::local::kNameLength, 2),
                        Get(main.local_header, zip::local::kExtraLength, 2),
                        zip64_length) != std::string::npos;
    const auto signature = zip::Read_Exactly(fd, data_end, 4);
    const bool signed_descriptor = signature && *signature == zip::kDataDescriptorSignature;
    return (signed_descriptor ? 4 : 0) + 4 + (zip64 ? 16 : 8);
}

}  // namespace

std::optional<ArchiveRefusal> Locate_Main_Document(int fd, const zip::EndRecords& end,
                                                   MainEntry& main) {
    zip::CentralDirectory directory(fd, end);
    const auto main_index = Find_Main_Record(directory, main.record);
    if (!main_index) {
        // A record too damaged to read may have been the main document's.
        return directory.Damaged() ? std::optional(Unusable("its list of entries is damaged"))
                                   : std::optional(ArchiveRefusal{});
    }
    main.index = *main_index;
    const std::string name(main.record.Name());
    if ((main.record.Flags() & (zip::kEncrypted | zip::kStrongEncryption)) != 0) {
        return Unusable(messages::Kml_Entry_Unreadable(name, "it is encrypted"));
    }
    if (main.record.Method() != zip::kStored && main.record.Method() != zip::kDeflated) {
        return Unusable(messages::Kml_Entry_Unreadable(
            name, "it is compressed with method " + std::to_string(main.record.Method()) +
                      ", which KML readers do not read"));
    }
    main.local_start = end.archive_start + main.record.Local_Offset();
    const auto fixed = main.local_start < end.directory_start
                           ? zip::Read_Exactly(fd, main.local_start, zip::kLocalHeaderSize)
                           : std::nullopt;
    if (!fixed || fixed->substr(0, 4) != zip::kLocalHeaderSignature) {
        return Unusable(messages::Kml_Entry_Damaged(name, "its header is missing"));
    }
    const std::size_t variable =
        Get(*fixed, zip::local::kNameLength, 2) + Get(*fixed, zip::local::kExtraLength, 2);
    const auto rest = zip::Read_Exactly(fd, main.local_start + zip::kLocalHeaderSize, variable);
    main.data_start = main.local_start + zip::kLocalHeaderSize + variable;
    if (!rest || main.data_start > end.directory_start ||
        main.record.Compressed_Size() > end.directory_start - main.data_start) {
        return Unusable(messages::Kml_Entry_Damaged(name, "it runs past the end of the entries"));
    }
    main.local_header = *fixed + *rest;
    const std::uint64_t data_end = main.data_start + main.record.Compressed_Size();
    if (auto refusal = Find_Next_Start(fd, directory, end, *main_index, main, data_end)) {
        return refusal;
    }
    main.kept_from = std::min(data_end + Descriptor_Length(fd, main, data_end), main.next_start);
    return std::nullopt;
}

MainDocumentReader::MainDocumentReader(int fd, const MainEntry& main)
    : fd_(fd),
      name_(main.record.Name()),
      method_(main.record.Method()),
      position_(main.data_start),
      compressed_left_(main.record.Compressed_Size()),
      expected_crc_(main.record.Crc()),
      expected_size_(main.record.Size()),
      crc_(static_cast<std::uint32_t>(crc32(0, nullptr, 0))) {
    if (method_ == zip::kDeflated) {
        inflateInit2(&inflater_, -MAX_WBITS);  // raw deflate data, as ZIP stores it
        compressed_.resize(kBlockSize);
    }
}

MainDocumentReader::~MainDocumentReader() {
    if (method_ == zip::kDeflated) {
        inflateEnd(&inflater_);
    }
}

std::int64_t MainDocumentReader::Fail(const std::string& what) {
    damage_ = messages::Kml_Entry_Damaged(name_, what);
    return -1;
}

std::int64_t MainDocumentReader::Read(char* buffer, std::size_t size) {
    if (damage_) {
        return -1;
    }
    if (ended_ || size == 0) {
        return 0;
    }
    std::int64_t count;
    if (method_ == zip::kStored) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(size, compressed_left_));
        count = wanted == 0 ? 0 : platform::Read_At(fd_, buffer, wanted, position_);
        if (count > 0) {
            position_ += static_cast<std::uint64_t>(count);
            compressed_left_ -= static_cast<std::uint64_t>(count);
        }
    } else {
        count = Inflate(buffer, size);
    }
    if (count < 0) {
        return count;
    }
    if (count == 0) {
        return Finish();
    }
    crc_ = static_cast<std::uint32_t>(
        crc32(crc_, reinterpret_cast<const Bytef*>(buffer), static_cast<uInt>(count)));
    size_ += static_cast<std::uint64_t>(count);
    return count;
}

std::int64_t MainDocumentReader::Inflate(char* buffer, std::size_t size) {
    inflater_.next_out = reinterpret_cast<Bytef*>(buffer);
    inflater_.avail_out = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    const uInt room = inflater_.avail_out;
    while (inflater_.avail_out == room) {
        if (inflater_.avail_in == 0 && compressed_left_ > 0) {
            const auto wanted = static_cast<std::size_t>(
                std::min<std::uint64_t>(compressed_.size(), compressed_left_));
            const std::int64_t count =
                platform::Read_At(fd_, compressed_.data(), wanted, position_);
            if (count <= 0) {
                return count < 0 ? -1 : Fail("it ends before its stated end");
            }
            position_ += static_cast<std::uint64_t>(count);
            compressed_left_ -= static_cast<std::uint64_t>(count);
            inflater_.next_in = reinterpret_cast<Bytef*>(compressed_.data());
            inflater_.avail_in = static_cast<uInt>(count);
        }
        const int result = inflate(&inflater_, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            ended_inflating_ = true;
            break;
        }
        if (result == Z_BUF_ERROR && inflater_.avail_in == 0 && compressed_left_ == 0) {
            return Fail("it ends before its stated end");
        }
        if (result != Z_OK && result != Z_BUF_ERROR) {
            return Fail("its compressed data is corrupt");
        }
    }
    return static_cast<std::int64_t>(room - inflater_.avail_out);
}

// At the end of the data: the document must be whole, of its stated size and checksum.
std::int64_t MainDocumentReader::Finish() {
    ended_ = true;
    if (method_ == zip::kDeflated && !ended_inflating_) {
        return Fail("it ends before its stated end");
    }
    if (size_ != expected_size_) {
        return Fail("its size is not the stated one");
    }
    if (crc_ != expected_crc_) {
        return Fail("its checksum does not match");
    }
    return 0;
}

DeflatingOutput::DeflatingOutput(int fd)
    : fd_(fd), compressed_(kBlockSize), crc_(static_cast<std::uint32_t>(crc32(0, nullptr, 0))) {
    deflateInit2(&deflater_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
}

DeflatingOutput::~DeflatingOutput() {
    deflateEnd(&deflater_);
}

void DeflatingOutput::Take(OutputBuffer& out, bool last) {
    const std::string_view bytes = out.View();
    crc_ = static_cast<std::uint32_t>(
        crc32(crc_, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
    size_ += bytes.size();
    deflater_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    deflater_.avail_in = static_cast<uInt>(bytes.size());
    int result = Z_OK;
    do {
        deflater_.next_out = reinterpret_cast<Bytef*>(compressed_.data());
        deflater_.avail_out = static_cast<uInt>(compressed_.size());
        result = deflate(&deflater_, last ? Z_FINISH : Z_NO_FLUSH);
        const std::size_t made = compressed_.size() - deflater_.avail_out;
        if (error_ == 0 && !platform::Write_All(fd_, std::string_view(compressed_.data(), made))) {
            error_ = errno;
        }
        compressed_size_ += made;
    } while (deflater_.avail_out == 0 ||
             (last && result != Z_STREAM_END && result != Z_STREAM_ERROR));
    out.Clear();
}

}  // namespace zaveze::kmz
