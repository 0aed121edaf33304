#include "core/byte_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zaveze {
namespace {

// The rule read byte by byte: where the copy stops, and what it writes up to there.
std::pair<std::size_t, std::string> Expected_Copy(const std::string& text, std::size_t from) {
    std::string out;
    for (std::size_t i = from; i < text.size(); ++i) {
        const bool has_next = i + 1 < text.size();
        const char next = has_next ? text[i + 1] : '\0';
        if ((text[i] == '\r' && next != '\n') ||
            (text[i] == '<' && (!has_next || std::string("DFGNPS").find(next) != std::string::npos))) {
            return {i, out};
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return {text.size(), out};
}

TEST(CopyPlainBytes, AgreesWithTheRuleOnRandomText) {
    std::mt19937 random(42);
    const std::string alphabet = "ab <\r\n\r\nDFGNPSdx<<\r\n\n";
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1), length(0, 300);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (std::size_t n = length(random); n > 0; --n) {
            text += alphabet[letter(random)];
        }
        const std::size_t from = text.empty() ? 0 : random() % text.size();
        std::string out(2 * text.size() + kPlainCopySlack, '?');
        const PlainCopy copy = Copy_Plain_Bytes(text.data(), text.data() + from, text.data() + text.size(), out.data());
        const auto [stop, expected] = Expected_Copy(text, from);
        ASSERT_EQ(static_cast<std::size_t>(copy.stop - text.data()), stop) << round;
        ASSERT_EQ(std::string(out.data(), copy.cursor), expected) << round;
    }
}

TEST(CopyPlainBytes, CopiesCrLfPairsAndOtherTagsInOneGo) {
    const std::string text = std::string(100, 'x') + "\r\n<name></Point><coordinates>\r\n" + std::string(50, ' ') + "\r";
    std::string out(2 * text.size() + kPlainCopySlack, '?');
    const PlainCopy copy = Copy_Plain_Bytes(text.data(), text.data(), text.data() + text.size(), out.data());
    EXPECT_EQ(copy.stop, text.data() + text.size() - 1);
    EXPECT_EQ(std::string(out.data(), copy.cursor), text.substr(0, text.size() - 1));
}

TEST(FindPair, FindsTheFirstPairAnywhere) {
    std::string text(300, 'T');
    EXPECT_EQ(Find_Pair(text.data(), text.data() + text.size(), 'T', 'i'), text.data() + text.size());
    for (std::size_t at : {0u, 15u, 16u, 31u, 100u, 298u}) {
        std::string copy = text;
        copy[at + 1] = 'i';
        EXPECT_EQ(Find_Pair(copy.data(), copy.data() + copy.size(), 'T', 'i'), copy.data() + at) << at;
    }
}

}  // namespace
}  // namespace zaveze
