// SPDX-License-Identifier: MIT
#pragma once
// The main document of a KMZ archive: found in the central directory, read and inflated with
// its checksum and size verified, and written back deflated.

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/engine/writing_pass.h"
#include "core/kmz/zip_directory.h"

namespace zaveze::kmz {

// Where the main document lies in the input archive.
struct MainEntry {
    zip::CentralRecord record;  // its central directory record
    std::string local_header;   // its local header, name and extra field included
    std::uint64_t index = 0;    // its place in the central directory
    std::uint64_t local_start = 0;
    std::uint64_t data_start = 0;
    // Where the next entry, or the central directory, starts.
    std::uint64_t next_start = 0;
    // Where the bytes kept after its data start: after its data descriptor, which the new entry
    // does not need; what follows up to `next_start` belongs to no entry and stays as it is.
    std::uint64_t kept_from = 0;
};

// Why an archive cannot be used: no KMZ archive at all, or what is wrong with its main document.
struct ArchiveRefusal {
    bool not_kmz = true;
    std::string reason;  // for a KMZ archive whose main document cannot be used
};

// Finds the main document (the first ".kml" entry of the central directory) and checks that it
// can be read.
std::optional<ArchiveRefusal> Locate_Main_Document(int fd, const zip::EndRecords& end,
                                                   MainEntry& main);

// The main document's bytes, inflated; a read that finds damage returns -1, and Damage() says
// what is wrong.
class MainDocumentReader {
  public:
    MainDocumentReader(int fd, const MainEntry& main);
    ~MainDocumentReader();
    MainDocumentReader(const MainDocumentReader&) = delete;
    MainDocumentReader& operator=(const MainDocumentReader&) = delete;

    std::int64_t Read(char* buffer, std::size_t size);
    const std::optional<std::string>& Damage() const { return damage_; }

  private:
    std::int64_t Fail(const std::string& what);
    std::int64_t Inflate(char* buffer, std::size_t size);
    std::int64_t Finish();

    int fd_;
    std::string name_;
    std::uint16_t method_;
    std::uint64_t position_, compressed_left_;
    std::uint32_t expected_crc_;
    std::uint64_t expected_size_;
    std::uint32_t crc_;
    std::uint64_t size_ = 0;
    bool ended_ = false;
    bool ended_inflating_ = false;
    z_stream inflater_{};
    std::vector<char> compressed_;
    std::optional<std::string> damage_;
};

// The writing pass's output deflated into a file, counting what goes in and out.
class DeflatingOutput : public PassOutput {
  public:
    explicit DeflatingOutput(int fd);
    ~DeflatingOutput() override;
    DeflatingOutput(const DeflatingOutput&) = delete;
    DeflatingOutput& operator=(const DeflatingOutput&) = delete;

    void Take(OutputBuffer& out, bool last) override;
    bool Failed() override { return error_ != 0; }
    // 0, or the error number of the first failed write.
    int Error() const { return error_; }

    std::uint32_t Crc() const { return crc_; }
    std::uint64_t Size() const { return size_; }
    std::uint64_t Compressed_Size() const { return compressed_size_; }

  private:
    int fd_;
    z_stream deflater_{};
    std::vector<char> compressed_;
    std::uint32_t crc_;
    std::uint64_t size_ = 0, compressed_size_ = 0;
    int error_ = 0;
};

}  // namespace zaveze::kmz
