// SPDX-License-Identifier: MIT
#include "core/engine/text_encoding.h"

#include <array>
#include <utility>

namespace zaveze {
namespace {

bool Is_High_Surrogate(unsigned unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool Is_Low_Surrogate(unsigned unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void Put_Utf8(unsigned code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

TextEncoding Detect_Encoding(std::string_view first_bytes) {
    using namespace std::string_view_literals;
    // Longest first: a UTF-32 mark starts with the UTF-16 little-endian one.
    static constexpr std::array<std::pair<std::string_view, TextEncoding>, 8> kStarts = {{
        {"\xFF\xFE\0\0"sv, TextEncoding::Utf32},
        {"\0\0\xFE\xFF"sv, TextEncoding::Utf32},
        {"<\0\0\0"sv, TextEncoding::Utf32},
        {"\0\0\0<"sv, TextEncoding::Utf32},
        {"<\0?\0"sv, TextEncoding::Utf16LittleEndian},
        {"\0<\0?"sv, TextEncoding::Utf16BigEndian},
        {"\xFF\xFE"sv, TextEncoding::Utf16LittleEndian},
        {"\xFE\xFF"sv, TextEncoding::Utf16BigEndian},
    }};
    for (const auto& [start, encoding] : kStarts) {
        if (first_bytes.starts_with(start)) {
            return encoding;
        }
    }
    return TextEncoding::Bytes;
}

void Utf16Decoder::Decode(std::string_view bytes, std::string& out) {
    std::size_t at = 0;
    if (odd_byte_ >= 0 && !bytes.empty()) {
        const auto first = static_cast<unsigned>(odd_byte_);
        const auto second = static_cast<unsigned char>(bytes[0]);
        Put_Unit(big_endian_ ? (first << 8 | second) : (second << 8 | first), out);
        odd_byte_ = -1;
        at = 1;
    }
    for (; at + 1 < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        Put_Unit(big_endian_ ? (first << 8 | second) : (second << 8 | first), out);
    }
    if (at < bytes.size()) {
        odd_byte_ = static_cast<unsigned char>(bytes[at]);
    }
}

bool Utf16Decoder::Finish(std::string& out) {
    if (high_unit_ != 0) {
        Put_Utf8(high_unit_, out);
        high_unit_ = 0;
    }
    return odd_byte_ < 0;
}

void Utf16Decoder::Put_Unit(unsigned unit, std::string& out) {
    if (high_unit_ != 0) {
        if (Is_Low_Surrogate(unit)) {
            Put_Utf8(0x10000 + ((high_unit_ - 0xD800) << 10) + (unit - 0xDC00), out);
            high_unit_ = 0;
            return;
        }
        Put_Utf8(high_unit_, out);
        high_unit_ = 0;
    }
    if (Is_High_Surrogate(unit)) {
        high_unit_ = unit;
        return;
    }
    Put_Utf8(unit, out);
}

std::size_t Utf16Encoder::Encode(std::string_view utf8, std::string& out) const {
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (at + length > utf8.size()) {
            break;
        }
        unsigned code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            code = code << 6 | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        }
        if (code >= 0x10000) {
            Put_Unit(0xD800 + ((code - 0x10000) >> 10), out);
            Put_Unit(0xDC00 + ((code - 0x10000) & 0x3FF), out);
        } else {
            Put_Unit(code, out);
        }
        at += length;
    }
    return at;
}

void Utf16Encoder::Put_Unit(unsigned unit, std::string& out) const {
    const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += big_endian_ ? high : low;
    out += big_endian_ ? low : high;
}

}  // namespace zaveze
