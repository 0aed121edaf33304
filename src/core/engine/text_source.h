// SPDX-License-Identifier: MIT
#pragma once
// A KML file's text as the embedding reads it: UTF-8 (or plain bytes) as stored, UTF-16 converted
// to UTF-8 on the way.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/engine/text_encoding.h"
#include "core/input_check.h"

namespace zaveze {

class TextSource {
  public:
    explicit TextSource(const ByteReader& read) : read_(read) {}

    // Reads the file's first bytes to learn its encoding: false, with errno set, when reading
    // fails.
    bool Start();
    TextEncoding Encoding() const { return encoding_; }
    bool Is_Utf16() const {
        return encoding_ == TextEncoding::Utf16LittleEndian ||
               encoding_ == TextEncoding::Utf16BigEndian;
    }

    // As a ByteReader: up to `size` bytes of the text, 0 at its end, -1 with errno on failure.
    std::int64_t Read(char* buffer, std::size_t size);
    // After the end: whether a UTF-16 file ended in half a code unit.
    bool Cut_Short() const { return cut_short_; }
    // How many bytes of the file have been read, for the progress.
    std::uint64_t File_Bytes_Read() const { return file_bytes_read_; }

  private:
    std::int64_t Read_File(char* buffer, std::size_t size);
    std::int64_t Read_Utf16(char* buffer, std::size_t size);

    const ByteReader& read_;
    TextEncoding encoding_ = TextEncoding::Bytes;
    std::string first_bytes_;  // read to learn the encoding, not yet handed on
    std::optional<Utf16Decoder> decoder_;
    std::vector<char> raw_;
    std::string decoded_;  // converted, not yet handed on from `decoded_at_`
    std::size_t decoded_at_ = 0;
    bool ended_ = false;
    bool cut_short_ = false;
    std::uint64_t file_bytes_read_ = 0;
};

}  // namespace zaveze
