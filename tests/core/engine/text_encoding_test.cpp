// SPDX-License-Identifier: MIT
#include "core/engine/text_encoding.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

using namespace std::string_literals;

TEST(TextEncoding, IsToldByTheFirstBytes) {
    constexpr auto kBytes = TextEncoding::Bytes, kUtf32 = TextEncoding::Utf32;
    constexpr auto kLittle = TextEncoding::Utf16LittleEndian, kBig = TextEncoding::Utf16BigEndian;
    // "<\0k\0": no "<?" and no mark, so not known as UTF-16
    // clang-format off
    const std::pair<std::string, TextEncoding> cases[] = {
        {"<?xm", kBytes}, {"\xEF\xBB\xBF<", kBytes}, {"", kBytes}, {"<", kBytes},
        {"<\0k\0"s, kBytes}, {"<\0?\0"s, kLittle}, {"\xFF\xFE<\0"s, kLittle}, {"\xFF\xFE", kLittle},
        {"\0<\0?"s, kBig}, {"\xFE\xFF\0<"s, kBig}, {"\xFF\xFE\0\0"s, kUtf32},
        {"\0\0\xFE\xFF"s, kUtf32}, {"<\0\0\0"s, kUtf32}, {"\0\0\0<"s, kUtf32}};
    // clang-format on
    for (const auto& [first_bytes, encoding] : cases) {
        EXPECT_EQ(Detect_Encoding(first_bytes), encoding) << first_bytes.size();
    }
}

std::string Decode_All(const std::string& bytes, bool big_endian, std::size_t block) {
    Utf16Decoder decoder(big_endian);
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += block) {
        decoder.Decode(std::string_view(bytes).substr(at, block), text);
    }
    EXPECT_TRUE(decoder.Finish(text));
    return text;
}

TEST(TextEncoding, Utf16BecomesUtf8) {
    // a, e acute, euro, a grinning face (a surrogate pair), a lone low and a lone high surrogate
    const std::string little = "a\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE\x00\xDC\x00\xD8"s;
    const std::string expected = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xED\xB0\x80\xED\xA0\x80";
    EXPECT_EQ(Decode_All(little, false, 3), expected);
    std::string big = little;
    for (std::size_t at = 0; at < big.size(); at += 2) {
        std::swap(big[at], big[at + 1]);
    }
    EXPECT_EQ(Decode_All(big, true, 5), expected);

    Utf16Decoder odd(false);
    std::string text;
    odd.Decode("a\0b"s, text);
    EXPECT_FALSE(odd.Finish(text));
}

}  // namespace
}  // namespace zaveze
