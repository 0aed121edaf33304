// SPDX-License-Identifier: MIT
#pragma once
// The table of contents of a ZIP archive: its end records, found at the end of the file as
// archive readers find them, and its central directory, read one record at a time so that the
// memory needed does not grow with the number of entries.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zaveze::zip {

struct EndRecords {
    std::uint64_t end_record = 0;                   // where the end record starts
    std::optional<std::uint64_t> zip64_end_record;  // and the ZIP64 one, when there is one
    std::uint64_t entries = 0;
    std::uint64_t directory_start = 0;  // where the central directory really starts
    std::uint64_t directory_end = 0;
    // What the records' offsets are counted from: bytes before the archive itself, such as a
    // self-extractor's program or an earlier archive that this one was appended to.
    std::uint64_t archive_start = 0;
};

// Where the end record lies in the last bytes of a file (those after it are its comment, whose
// length it gives), as readers find it; none when there is none.
std::optional<std::size_t> Find_End_Record_In(std::string_view tail);

// Whether the last bytes of a stream of `total` bytes end like a ZIP archive: an end record, and
// a central record where it puts the directory, when that lies among those bytes.
bool Tail_Ends_Like_An_Archive(std::string_view tail, std::uint64_t total);

// The last end record of the file whose comment fits in it, as unzip and Python's zipfile take
// it; none when the file holds no such record or the record cannot be right.
std::optional<EndRecords> Find_End_Records(int fd, std::uint64_t file_size);

// One record of the central directory, its bytes as stored, and its numbers as meant (the ZIP64
// extra field's where the record defers to it).
class CentralRecord {
  public:
    // Takes over a whole record; false when its numbers contradict its length.
    bool Parse(std::string bytes);

    const std::string& Bytes() const { return bytes_; }
    std::string_view Name() const;
    std::uint16_t Flags() const;
    std::uint16_t Method() const;
    std::uint32_t Crc() const;
    std::uint64_t Compressed_Size() const { return compressed_size_; }
    std::uint64_t Size() const { return size_; }
    std::uint64_t Local_Offset() const { return local_offset_; }

    // Changes a number where the record keeps it; one of 4 GiB or more goes to the ZIP64 extra
    // field, which the record gains where it had none.
    void Set_Local_Offset(std::uint64_t offset);
    void Set_Sizes(std::uint64_t compressed_size, std::uint64_t size);
    // Marks the record as a deflated entry with this checksum and no data descriptor.
    void Set_Deflated(std::uint32_t crc);

  private:
    void Store_Numbers();
    void Rebuild_Zip64_Field();

    std::string bytes_;
    std::uint64_t compressed_size_ = 0, size_ = 0, local_offset_ = 0;
    // Where the ZIP64 extra field holds each number in `bytes_`, or npos.
    std::size_t zip64_size_ = std::string::npos, zip64_compressed_size_ = std::string::npos,
                zip64_local_offset_ = std::string::npos;
};

// The records of the central directory in order, read by its stated size as Info-ZIP and Python
// read it, whatever the end record's count says: a count that disagrees with the records (a
// writer's mistake, or a count past 65,535 that wrapped around) is put right in the output.
class CentralDirectory {
  public:
    CentralDirectory(int fd, const EndRecords& end) : fd_(fd), end_(end) { Rewind(); }

    void Rewind();
    // The next record; false at the end, and also when a record is malformed or there are fewer
    // than the end record counts (Damaged() then).
    bool Next(CentralRecord& record);
    bool Damaged() const { return damaged_; }
    // Where the next record would start: after the last, what is left of the directory.
    std::uint64_t Position() const { return position_; }

  private:
    bool Count_Reached() const;

    int fd_;
    EndRecords end_;
    std::uint64_t position_ = 0;
    std::uint64_t read_ = 0;
    bool damaged_ = false;
};

// Reads exactly `size` bytes at `offset` into a text; none when the file holds fewer there.
std::optional<std::string> Read_Exactly(int fd, std::uint64_t offset, std::size_t size);

}  // namespace zaveze::zip
