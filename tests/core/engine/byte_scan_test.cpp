// SPDX-License-Identifier: MIT
#include "core/engine/byte_scan.h"

#include "core/engine/container_tags.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zaveze {
namespace {

// The rule with every container tag on a line of its own, for the bytes [from, stop).
std::string Expected_Split_Copy(const std::string& text, std::size_t from, std::size_t stop) {
    std::string out;
    for (std::size_t i = from; i < stop; ++i) {
        const auto [match, tag] = Match_Container_Tag(std::string_view(text).substr(i));
        if (match == TagMatch::Full) {
            out += "\r\n" + std::string(tag) + "\r\n";
            i += tag.size() - 1;
            continue;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
        if (text[i] == '\r' && text[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

class CopyPlainBytesUsing : public ::testing::TestWithParam<VectorUnit> {};

TEST_P(CopyPlainBytesUsing, AgreesWithTheRuleOnRandomText) {
    if (!Has_Vector_Unit(GetParam())) {
        GTEST_SKIP() << "this processor lacks the instructions";
    }
    std::mt19937 random(42);
    const std::string alphabet = "ab <\r\n\r\nDFGNPSdx<<\r\n\n";
    const std::vector<std::string> words = {"<Folder>", "<Placemark>", "<Point>", "<Docu",
                                            "<GroundOverlay>"};
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1), length(0, 300);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (std::size_t n = length(random); n > 0; --n) {
            if (letter(random) == 0) {
                text += words[random() % words.size()];
            }
            text += alphabet[letter(random)];
        }
        const std::size_t from = text.empty() ? 0 : random() % text.size();
        std::string out(2 * text.size() + kPlainCopySlack, '?');
        // The copy may go on past tags, and stops only where the caller is needed or may take
        // over: at a "<", or at a CR whose LF may come with the next bytes.
        const PlainCopy copy = Copy_Plain_Bytes_Using(GetParam(), text.data(), text.data() + from,
                                                      text.data() + text.size(), out.data());
        const auto stop = static_cast<std::size_t>(copy.stop - text.data());
        ASSERT_TRUE(stop == text.size() || text[stop] == '<' ||
                    (text[stop] == '\r' && stop + 1 == text.size()))
            << round;
        ASSERT_EQ(std::string(out.data(), copy.cursor), Expected_Split_Copy(text, from, stop))
            << round;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, CopyPlainBytesUsing,
                         ::testing::Values(VectorUnit::None, VectorUnit::Sse2, VectorUnit::Avx2));

TEST(FindPair, FindsTheFirstPairAnywhere) {
    std::string text(300, 'T');
    EXPECT_EQ(Find_Pair(text.data(), text.data() + text.size(), 'T', 'i'),
              text.data() + text.size());
    for (std::size_t at : {0u, 15u, 16u, 31u, 32u, 33u, 63u, 100u, 298u}) {
        std::string copy = text;
        copy[at + 1] = 'i';
        EXPECT_EQ(Find_Pair(copy.data(), copy.data() + copy.size(), 'T', 'i'), copy.data() + at)
            << at;
    }
}

}  // namespace
}  // namespace zaveze
