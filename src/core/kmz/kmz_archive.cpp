// SPDX-License-Identifier: MIT
// KMZ archives, changed as little as a new main document allows: every byte before the main
// document's entry and after it stays as it is (other entries in whatever form they have, names,
// times, extra fields, comments, bytes before the archive), the main document is written anew,
// and the central directory and end records get the new places and sizes.

#include <algorithm>
#include <vector>

#include "core/engine/writing_pass.h"
#include "core/kmz/kmz.h"
#include "core/kmz/main_document.h"
#include "core/kmz/zip_records.h"
#include "core/messages.h"

namespace zaveze {
namespace {

using zip::Get;
using zip::Put;

// The archive's end records and main document, or why there are none to use.
struct OpenedArchive {
    zip::EndRecords end;
    kmz::MainEntry main;
    std::uint64_t size = 0;
};

std::optional<kmz::ArchiveRefusal> Open_Archive(const InputFile& input, OpenedArchive& archive) {
    const auto status = platform::Status_Of(input.Fd());
    const auto end = status ? zip::Find_End_Records(input.Fd(), status->size) : std::nullopt;
    if (!end) {
        return kmz::ArchiveRefusal{};
    }
    archive.end = *end;
    archive.size = status->size;
    return kmz::Locate_Main_Document(input.Fd(), archive.end, archive.main);
}

EmbedResult Refusal_Result(const kmz::ArchiveRefusal& refusal) {
    return {refusal.not_kmz ? EmbedStatus::NotKmz : EmbedStatus::KmzUnusable, refusal.reason, {}};
}

// The output file, written in order, with a few numbers put right afterwards.
class ArchiveWriter {
  public:
    explicit ArchiveWriter(int fd) : fd_(fd) {}
    std::uint64_t Position() const { return position_; }

    bool Write(std::string_view bytes) {
        position_ += bytes.size();
        return platform::Write_All(fd_, bytes);
    }
    // Copies the input's bytes [from, to) as they are.
    bool Copy(int input, std::uint64_t from, std::uint64_t to) {
        std::vector<char> block(kBlockSize);
        while (from < to) {
            const auto wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), to - from));
            const std::int64_t count = platform::Read_At(input, block.data(), wanted, from);
            if (count <= 0) {
                errno = count == 0 ? EIO : errno;  // the input ended early: it changed meanwhile
                read_failed_ = true;
                return false;
            }
            if (!Write(std::string_view(block.data(), static_cast<std::size_t>(count)))) {
                return false;
            }
            from += static_cast<std::uint64_t>(count);
        }
        return true;
    }
    // Rewrites bytes already written at `at`.
    bool Rewrite(std::uint64_t at, std::string_view bytes) {
        return platform::Seek(fd_, static_cast<std::int64_t>(at), 0) >= 0 &&
               platform::Write_All(fd_, bytes) &&
               platform::Seek(fd_, static_cast<std::int64_t>(position_), 0) >= 0;
    }
    // Counts bytes that went to the file another way (the deflated main document).
    void Skip(std::uint64_t bytes) { position_ += bytes; }
    EmbedResult Failure() const {
        return read_failed_ ? Read_Failure(errno) : Write_Failure(errno);
    }

  private:
    int fd_;
    std::uint64_t position_ = 0;
    bool read_failed_ = false;
};

// The main document's local header for the new, deflated data of the given checksum and sizes;
// false when the sizes do not fit in it.
bool New_Local_Header(std::string& header, const kmz::DeflatingOutput& data) {
    Put(header, zip::local::kFlags, 2, Get(header, zip::local::kFlags, 2) & ~zip::kDataDescriptor);
    Put(header, zip::local::kMethod, 2, zip::kDeflated);
    Put(header, zip::local::kVersionNeeded, 2,
        std::max<std::uint64_t>(Get(header, zip::local::kVersionNeeded, 2), zip::kDeflateVersion));
    Put(header, zip::local::kCrc, 4, data.Crc());
    std::size_t length = 0;
    const std::size_t zip64 =
        zip::Zip64_Data(header, zip::kLocalHeaderSize + Get(header, zip::local::kNameLength, 2),
                        Get(header, zip::local::kExtraLength, 2), length);
    if (zip64 != std::string::npos && length >= 16) {  // a local ZIP64 field holds both sizes
        Put(header, zip::local::kSize, 4, zip::kUse64);
        Put(header, zip::local::kCompressedSize, 4, zip::kUse64);
        Put(header, zip64, 8, data.Size());
        Put(header, zip64 + 8, 8, data.Compressed_Size());
        return true;
    }
    if (data.Size() >= zip::kUse64 || data.Compressed_Size() >= zip::kUse64) {
        return false;
    }
    Put(header, zip::local::kSize, 4, data.Size());
    Put(header, zip::local::kCompressedSize, 4, data.Compressed_Size());
    return true;
}

// The main document, embedded and deflated, after its local header; the header's numbers are
// put right once they are known.
EmbedResult Write_Main_Document(const InputFile& input, const OpenedArchive& archive,
                                ArchiveWriter& out, const std::string& element_text,
                                JobControl* control, kmz::DeflatingOutput& deflated) {
    std::string header = archive.main.local_header;
    const std::uint64_t header_at = out.Position();
    if (!out.Write(header)) {
        return out.Failure();
    }
    kmz::MainDocumentReader reader(input.Fd(), archive.main);
    EmbedResult result = Run_Writing_Pass(
        [&reader](char* buffer, std::size_t size) { return reader.Read(buffer, size); }, deflated,
        element_text, control);
    if (reader.Damage()) {
        return {EmbedStatus::KmzUnusable, *reader.Damage(), {}};
    }
    if (deflated.Error() != 0) {
        return Write_Failure(deflated.Error());
    }
    if (result.status != EmbedStatus::Written) {
        return result;
    }
    out.Skip(deflated.Compressed_Size());
    if (!New_Local_Header(header, deflated)) {
        return {EmbedStatus::KmzUnusable, std::string(messages::kKmlEntryTooLarge), {}};
    }
    if (!out.Rewrite(header_at, header)) {
        return out.Failure();
    }
    return {};
}

// Every central directory record with the new places of the entries after the main document,
// and the main document's new numbers; `records` counts them.
EmbedResult Write_Central_Directory(const InputFile& input, const OpenedArchive& archive,
                                    ArchiveWriter& out, std::int64_t shift,
                                    const kmz::DeflatingOutput& deflated, std::uint64_t& records) {
    zip::CentralDirectory directory(input.Fd(), archive.end);
    zip::CentralRecord record;
    for (records = 0; directory.Next(record); ++records) {
        const std::uint64_t start = archive.end.archive_start + record.Local_Offset();
        bool fits = true;
        if (records == archive.main.index) {
            record.Set_Deflated(deflated.Crc());
            fits = record.Set_Sizes(deflated.Compressed_Size(), deflated.Size());
        } else if (start > archive.main.local_start) {
            fits =
                record.Set_Local_Offset(record.Local_Offset() + static_cast<std::uint64_t>(shift));
        }
        if (!fits) {
            return {EmbedStatus::KmzUnusable, std::string(messages::kKmlEntryTooLarge), {}};
        }
        if (!out.Write(record.Bytes())) {
            return out.Failure();
        }
    }
    if (directory.Damaged()) {
        return {EmbedStatus::KmzUnusable, "its list of entries is damaged", {}};
    }
    // Bytes the directory's stated size counts after its last record stay too.
    if (!out.Copy(input.Fd(), directory.Position(), archive.end.directory_end)) {
        return out.Failure();
    }
    return {};
}

// The end records' counts of entries, as the directory holds them: a 16-bit count past 65,535
// wraps around as it did in the input, or is left to the ZIP64 record.
std::vector<std::pair<std::uint64_t, std::string>> Entry_Counts(const zip::EndRecords& end,
                                                                std::uint64_t records) {
    std::string short_count(2, '\0'), long_count(8, '\0');
    Put(short_count, 0, 2,
        end.zip64_end_record ? std::min<std::uint64_t>(records, 0xFFFF) : records);
    Put(long_count, 0, 8, records);
    std::vector<std::pair<std::uint64_t, std::string>> counts = {
        {end.end_record + 8, short_count}, {end.end_record + 10, short_count}};
    if (end.zip64_end_record) {
        counts.push_back({*end.zip64_end_record + 24, long_count});
        counts.push_back({*end.zip64_end_record + 32, long_count});
    }
    return counts;
}

// What follows the central directory, as it is, with its new place and the directory's count in
// the end records.
EmbedResult Write_End_Records(const InputFile& input, const OpenedArchive& archive,
                              ArchiveWriter& out, std::int64_t shift, std::uint64_t records) {
    const zip::EndRecords& end = archive.end;
    const std::uint64_t tail_at = out.Position();
    if (!out.Copy(input.Fd(), end.directory_end, archive.size)) {
        return out.Failure();
    }
    const auto moved = [&](std::uint64_t at, std::size_t width) -> std::optional<std::string> {
        auto field = zip::Read_Exactly(input.Fd(), at, width);
        if (!field) {
            return std::nullopt;
        }
        const std::uint64_t value = Get(*field, 0, width);
        if (width == 4 && value == zip::kUse64) {
            return field;  // the ZIP64 record holds it
        }
        const std::uint64_t now = value + static_cast<std::uint64_t>(shift);
        if (width == 4 && now >= zip::kUse64) {
            return std::nullopt;
        }
        Put(*field, 0, width, now);
        return field;
    };
    std::vector<std::pair<std::uint64_t, std::size_t>> fields = {{end.end_record + 16, 4}};
    if (end.zip64_end_record) {
        fields.push_back({*end.zip64_end_record + 48, 8});                   // directory
        fields.push_back({end.end_record - zip::kZip64LocatorSize + 8, 8});  // ZIP64 record
    }
    for (const auto& [at, width] : fields) {
        const auto field = moved(at, width);
        if (!field) {
            return {EmbedStatus::KmzUnusable, std::string(messages::kKmlEntryTooLarge), {}};
        }
        if (!out.Rewrite(tail_at + (at - end.directory_end), *field)) {
            return out.Failure();
        }
    }
    for (const auto& [at, count] : Entry_Counts(end, records)) {
        if (!out.Rewrite(tail_at + (at - end.directory_end), count)) {
            return out.Failure();
        }
    }
    return {};
}

}  // namespace

bool Kmz_Supported() {
    return true;
}

bool Ends_Like_An_Archive(int fd) {
    const auto status = platform::Status_Of(fd);
    const auto end = status ? zip::Find_End_Records(fd, status->size) : std::nullopt;
    return end && end->directory_end > end->directory_start &&
           zip::Read_Exactly(fd, end->directory_start, 4) == zip::kCentralRecordSignature;
}

InputCheck Check_Kmz(InputFile& input, JobControl* control) {
    OpenedArchive archive;
    if (const auto refusal = Open_Archive(input, archive)) {
        return {refusal->not_kmz ? InputVerdict::NotKmz : InputVerdict::KmzUnusable,
                refusal->reason,
                {},
                0};
    }
    kmz::MainDocumentReader reader(input.Fd(), archive.main);
    const InputCheck check = Check_Bytes(
        [&reader](char* buffer, std::size_t size) { return reader.Read(buffer, size); }, control);
    if (reader.Damage()) {
        return {InputVerdict::KmzUnusable, *reader.Damage(), {}, 0, {}};
    }
    return check;
}

EmbedResult Write_Kmz(InputFile& input, int output_fd, const std::string& element_text,
                      JobControl* control) {
    OpenedArchive archive;
    if (const auto refusal = Open_Archive(input, archive)) {
        return Refusal_Result(*refusal);
    }
    ArchiveWriter out(output_fd);
    if (!out.Copy(input.Fd(), 0, archive.main.local_start)) {
        return out.Failure();
    }
    kmz::DeflatingOutput deflated(output_fd);
    if (EmbedResult written =
            Write_Main_Document(input, archive, out, element_text, control, deflated);
        written.status != EmbedStatus::Written) {
        return written;
    }
    // Everything after the main document moves by the change of its length.
    const std::int64_t shift = static_cast<std::int64_t>(out.Position()) -
                               static_cast<std::int64_t>(archive.main.kept_from);
    if (!out.Copy(input.Fd(), archive.main.kept_from, archive.end.directory_start)) {
        return out.Failure();
    }
    std::uint64_t records = 0;
    if (EmbedResult written =
            Write_Central_Directory(input, archive, out, shift, deflated, records);
        written.status != EmbedStatus::Written) {
        return written;
    }
    return Write_End_Records(input, archive, out, shift, records);
}

}  // namespace zaveze
