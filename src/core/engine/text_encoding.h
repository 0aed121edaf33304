// SPDX-License-Identifier: MIT
#pragma once
// The encodings a KML file may come in, told by its first bytes as XML 1.0 (Appendix F) tells
// them, and the conversion of UTF-16 to UTF-8 and back. The embedding works on UTF-8 (or on
// plain bytes); a UTF-16 file is converted on the way in and back on the way out, so that the
// output has exactly the bytes of converting the file, embedding and converting back.

#include <cstddef>
#include <string>
#include <string_view>

namespace zaveze {

enum class TextEncoding {
    Bytes,  // UTF-8 or any other encoding that writes "<" as one byte
    Utf16LittleEndian,
    Utf16BigEndian,
    Utf32,  // refused: no KML program writes it
};

// The encoding that a file's first bytes (up to four; fewer for a shorter file) show. A byte
// order mark is checked first; without one, "<?" in UTF-16 or "<" in UTF-32.
TextEncoding Detect_Encoding(std::string_view first_bytes);

// UTF-16 to UTF-8, block by block. A surrogate without its partner is kept as a three-byte
// sequence of its own, so that converting back gives the same bytes.
class Utf16Decoder {
  public:
    explicit Utf16Decoder(bool big_endian) : big_endian_(big_endian) {}
    // Appends the UTF-8 of `bytes`; a last odd byte or a high surrogate waits for the next call.
    void Decode(std::string_view bytes, std::string& out);
    // The end of the file: a waiting high surrogate goes out alone. False when an odd byte is
    // left over: the file ends in half a code unit.
    bool Finish(std::string& out);

  private:
    void Put_Unit(unsigned unit, std::string& out);

    bool big_endian_;
    int odd_byte_ = -1;       // the first byte of a code unit that the block cut, or -1
    unsigned high_unit_ = 0;  // a high surrogate waiting for its partner, or 0
};

// UTF-8, as Utf16Decoder writes it and with ASCII bytes added, back to UTF-16.
class Utf16Encoder {
  public:
    explicit Utf16Encoder(bool big_endian) : big_endian_(big_endian) {}
    // Appends the UTF-16 of the whole sequences at the front of `utf8`; returns how many bytes
    // it used (a sequence that the block cuts waits for the next call).
    std::size_t Encode(std::string_view utf8, std::string& out) const;

  private:
    void Put_Unit(unsigned unit, std::string& out) const;

    bool big_endian_;
};

}  // namespace zaveze
