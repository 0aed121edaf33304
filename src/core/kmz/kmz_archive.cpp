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

// The local header is written before the main document's new size is known. Where that could
// reach 4 GiB (an input of 1 GiB or more: the embedding can double a text, and UTF-16 grow it
// further), the header gets a ZIP64 field for the sizes first, where it has none.
void Reserve_Zip64_Sizes(std::string& header, std::uint64_t input_size) {
    const std::size_t name_end = zip::kLocalHeaderSize + Get(header, zip::local::kNameLength, 2);
    const std::size_t extra_length = Get(header, zip::local::kExtraLength, 2);
    std::size_t length = 0;
    if (input_size < zip::kUse64 / 4 ||
        (zip::Zip64_Data(header, name_end, extra_length, length) != std::string::npos &&
         length >= 16)) {
        return;
    }
    std::string extra = zip::Without_Zip64_Field(std::string_view(header).substr(name_end));
    extra += std::string("\x01\x00\x10\x00", 4) + std::string(16, '\0');
    header = header.substr(0, name_end) + extra;
    Put(header, zip::local::kExtraLength, 2, extra.size());
    Put(header, zip::local::kVersionNeeded, 2,
        std::max<std::uint64_t>(Get(header, zip::local::kVersionNeeded, 2), zip::kZip64Version));
}

// The main document, embedded and deflated, after its local header; the header's numbers are
// put right once they are known.
EmbedResult Write_Main_Document(const InputFile& input, const OpenedArchive& archive,
                                ArchiveWriter& out, const Embedding& embedding, JobControl* control,
                                kmz::DeflatingOutput& deflated) {
    std::string header = archive.main.local_header;
    Reserve_Zip64_Sizes(header, archive.main.record.Size());
    const std::uint64_t header_at = out.Position();
    if (!out.Write(header)) {
        return out.Failure();
    }
    kmz::MainDocumentReader reader(input.Fd(), archive.main);
    EmbedResult result = Run_Writing_Pass(
        [&reader](char* buffer, std::size_t size) { return reader.Read(buffer, size); }, deflated,
        embedding, control);
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
    return result;  // with what came of each feature, when each has its own time
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
        if (records == archive.main.index) {
            record.Set_Deflated(deflated.Crc());
            record.Set_Sizes(deflated.Compressed_Size(), deflated.Size());
        } else if (start > archive.main.local_start) {
            record.Set_Local_Offset(record.Local_Offset() + static_cast<std::uint64_t>(shift));
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

// Where the output's central directory went, and what it holds.
struct NewDirectory {
    std::uint64_t offset = 0;  // from the archive's start
    std::uint64_t size = 0;
    std::uint64_t records = 0;
};

std::string Number(std::uint64_t value, std::size_t width) {
    std::string bytes(width, '\0');
    Put(bytes, 0, width, value);
    return bytes;
}

// A ZIP64 end record and its locator, for an archive whose numbers outgrow the end record.
std::string New_Zip64_End_Records(const NewDirectory& directory, std::uint64_t record_offset) {
    std::string records(zip::kZip64EndRecordSignature);
    records += Number(zip::kZip64EndRecordSize - 12, 8);  // the size of what follows
    records += Number(zip::kZip64Version, 2) + Number(zip::kZip64Version, 2);
    records += Number(0, 4) + Number(0, 4);  // this disk, the directory's disk
    records += Number(directory.records, 8) + Number(directory.records, 8);
    records += Number(directory.size, 8) + Number(directory.offset, 8);
    records += zip::kZip64LocatorSignature;
    records += Number(0, 4) + Number(record_offset, 8) + Number(1, 4);
    return records;
}

// The end records after the central directory, as they were, with the directory's new place,
// size and count. Where these outgrow the end record (4 GiB, 65,535 entries), the end record
// defers them to a ZIP64 end record, which is written before it where there was none.
EmbedResult Write_End_Records(const InputFile& input, const OpenedArchive& archive,
                              ArchiveWriter& out, const NewDirectory& directory) {
    const zip::EndRecords& end = archive.end;
    const auto old_end = zip::Read_Exactly(input.Fd(), end.end_record, zip::kEndRecordSize);
    if (!old_end) {
        return Read_Failure(EIO);
    }
    const bool zip64 = end.zip64_end_record || directory.records >= 0xFFFF ||
                       directory.size >= zip::kUse64 || directory.offset >= zip::kUse64;
    if (zip64 && !end.zip64_end_record &&
        !out.Write(New_Zip64_End_Records(directory, out.Position() - end.archive_start))) {
        return out.Failure();
    }
    const std::uint64_t tail_at = out.Position();
    if (!out.Copy(input.Fd(), end.directory_end, archive.size)) {
        return out.Failure();
    }
    const auto in_output = [&](std::uint64_t input_at) {
        return tail_at + (input_at - end.directory_end);
    };
    std::vector<std::pair<std::uint64_t, std::string>> fields;
    if (end.zip64_end_record) {
        const std::uint64_t record = in_output(*end.zip64_end_record);
        fields = {{record + 24, Number(directory.records, 8)},
                  {record + 32, Number(directory.records, 8)},
                  {record + 40, Number(directory.size, 8)},
                  {record + 48, Number(directory.offset, 8)},
                  {in_output(end.end_record - zip::kZip64LocatorSize) + 8,
                   Number(record - end.archive_start, 8)}};
    }
    // A field of the end record: its number, or the mark that the ZIP64 record holds it.
    const auto end_field = [&](std::size_t at, std::size_t width, std::uint64_t value) {
        const std::uint64_t mark = width == 2 ? 0xFFFF : zip::kUse64;
        const bool deferred = zip64 && (Get(*old_end, at, width) == mark || value >= mark);
        return std::pair{in_output(end.end_record) + at, Number(deferred ? mark : value, width)};
    };
    fields.push_back(end_field(8, 2, directory.records));
    fields.push_back(end_field(10, 2, directory.records));
    fields.push_back(end_field(12, 4, directory.size));
    fields.push_back(end_field(16, 4, directory.offset));
    for (const auto& [at, bytes] : fields) {
        if (!out.Rewrite(at, bytes)) {
            return out.Failure();
        }
    }
    return {};
}

}  // namespace

bool Kmz_Supported() {
    return true;
}

bool Piped_As_Text_But_An_Archive(const InputFile& input) {
    return !input.Is_Regular() &&
           zip::Tail_Ends_Like_An_Archive(input.Last_Bytes(), input.Bytes_Read());
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
    InputCheck check = Check_Bytes(
        [&reader](char* buffer, std::size_t size) { return reader.Read(buffer, size); }, control);
    if (reader.Damage()) {
        return {InputVerdict::KmzUnusable, *reader.Damage(), {}, 0, {}};
    }
    return check;
}

EmbedResult Write_Kmz(InputFile& input, int output_fd, const Embedding& embedding,
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
    EmbedResult embedded = Write_Main_Document(input, archive, out, embedding, control, deflated);
    if (embedded.status != EmbedStatus::Written) {
        return embedded;
    }
    // Everything after the main document moves by the change of its length.
    const std::int64_t shift = static_cast<std::int64_t>(out.Position()) -
                               static_cast<std::int64_t>(archive.main.kept_from);
    if (!out.Copy(input.Fd(), archive.main.kept_from, archive.end.directory_start)) {
        return out.Failure();
    }
    const std::uint64_t directory_at = out.Position();
    NewDirectory directory;
    if (EmbedResult written =
            Write_Central_Directory(input, archive, out, shift, deflated, directory.records);
        written.status != EmbedStatus::Written) {
        return written;
    }
    directory.offset = directory_at - archive.end.archive_start;
    directory.size = out.Position() - directory_at;
    if (EmbedResult written = Write_End_Records(input, archive, out, directory);
        written.status != EmbedStatus::Written) {
        return written;
    }
    return embedded;
}

}  // namespace zaveze
