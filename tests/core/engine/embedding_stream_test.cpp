// SPDX-License-Identifier: MIT
#include "core/engine/embedding_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/engine/container_tags.h"

#include "core/time_element.h"
#include "support/temp_folder.h"
#include "support/two_pass_model.h"

namespace zaveze {
namespace {

using testing::ModelElement;

const TimeElement kSpan{TimeMode::TimeSpan, "2007-01-01", "2007-12-31"};
const std::string kSpanText = Time_Element_Text(kSpan);

std::string Embed(const std::string& input, const TimeElement& element = kSpan) {
    return Embed_Text(input, Time_Element_Text(element)).text;
}

// Feeds the input in blocks of `block_size` bytes, carrying the unused rest forward exactly as
// the file writer does.
std::string Embed_In_Blocks(const std::string& input, std::size_t block_size,
                            const std::string& element) {
    EmbeddingStream stream(element);
    OutputBuffer out;
    std::string pending;
    for (std::size_t start = 0; start < input.size(); start += block_size) {
        pending += input.substr(start, block_size);
        pending.erase(0, stream.Transform(pending, out));
    }
    stream.Finish(pending, out);
    return std::string(out.View());
}

std::string Model(const std::string& input, const TimeElement& element = kSpan) {
    return testing::Model_Embed(input, ModelElement{element.mode, element.begin, element.end});
}

// What inputs become, with the element (E) after the line of the chosen tag: the first
// container start tag as an XML reader sees it (attributes, prefixes and tags over several lines
// are in the exporters' test). Plain tags are split onto lines of their own everywhere.
TEST(EmbeddingStream, LinesAndTags) {
    const std::string E = kSpanText;
    const struct {
        const char* what;
        std::string input, output;
    } cases[] = {
        {"a tag alone on its line", "<Document>\r\n", "\r\n<Document>\r\n" + E + "\r\n"},
        {"text around the tag", "<kml><Document><name>x</name>\r\n",
         "<kml>\r\n<Document>\r\n" + E + "<name>x</name>\r\n"},
        {"indentation", " \t <Placemark>\r\n", " \t \r\n<Placemark>\r\n" + E + "\r\n"},
        {"two tags", "<Folder><Placemark>\r\n", "\r\n<Folder>\r\n" + E + "\r\n<Placemark>\r\n\r\n"},
        {"LF only, the document before a plain folder", "a\n<Document id=\"d\">\n<Folder>\n",
         "a\r\n\r\n<Document id=\"d\">\r\n" + E + "\r\n\r\n<Folder>\r\n\r\n\r\n"},
        {"CR LF, no final break", "<kml>\r\n<Folder>\r\n</kml>",
         "<kml>\r\n\r\n<Folder>\r\n" + E + "\r\n</kml>\r\n"},
        {"lone CR", "a\rb\r\r\n<Folder>", "a\r\nb\r\n\r\n\r\n<Folder>\r\n" + E + "\r\n"},
        {"skipped markup first, plain tags in it split",
         "<?x <Folder>?><![CDATA[<Folder>]]><!DOCTYPE k [<!ENTITY a '<Folder>'>]><!X <Folder>>"
         "<Folder/><NetworkLinkControl><Document >",
         "<?x \r\n<Folder>\r\n?><![CDATA[\r\n<Folder>\r\n]]><!DOCTYPE k [<!ENTITY a '\r\n"
         "<Folder>\r\n'>]><!X \r\n<Folder>\r\n><Folder/><NetworkLinkControl>\r\n<Document >\r\n" +
             E + "\r\n"},
        {"a tag cut by the end", "x<Docum", "x<Docum\r\n"},
        {"empty", "", ""},
    };
    for (const auto& [what, input, output] : cases) {
        EXPECT_EQ(Embed(input), output) << what;
        EXPECT_EQ(Model(input), output) << what;
    }
    EXPECT_FALSE(Embed_Text("", E).element_written);
    EXPECT_FALSE(Embed_Text("<!-- <Document> --><Document id=a><Folder/>", E).element_written);
    // A tag longer than the scan holds is taken for none, whole or in blocks.
    const std::string too_long = "<Document id=\"" + std::string(kLongestStartTag, 'x') + "\">";
    const std::string expected = too_long + "\r\n<Folder id=\"f\">\r\n" + E + "\r\n";
    EXPECT_EQ(Embed(too_long + "<Folder id=\"f\">"), expected);
    EXPECT_EQ(Embed_In_Blocks(too_long + "<Folder id=\"f\">", 65536, E), expected);
}

// Random inputs made of the pieces that matter: tags and near-tags, blanks, tabs, CR, LF,
// CR LF, other text, invalid UTF-8 and every byte there is; sometimes long lines and no final
// line break.
std::string Random_Input(std::mt19937& random) {
    static const std::string kEveryByte = [] {
        std::string bytes;
        for (int byte = 0; byte < 256; ++byte) {
            bytes += static_cast<char>(byte);
        }
        return bytes;
    }();
    // clang-format off
    static const std::vector<std::string> kPieces = {
        "<Document>", "<Folder>", "<Placemark>", "<ScreenOverlay>", "<GroundOverlay>",
        "<PhotoOverlay>", "<NetworkLink>", "<Docu", "ment>", "<", ">", "<Folder id=\"f\">",
        "<kml:Document>", "<Placemark\r\n id='p'\n>", "<Document ", "id=\"d\"", "<Folder/>",
        "<NetworkLinkControl>", "<!--", "-->", "<![CDATA[", "]]>", "<?", "?>", "<!DOCTYPE k [",
        "]", "<!", "</Folder>", "<kml>", " ", "  ", "\t", "\r", "\n", "\r\n", "\n\r", "text",
        "\xC3\xA9", "\xC3(\xE2\x28\xA1", std::string(1, '\0'), kEveryByte, std::string(300, 'x')};
    // clang-format on
    std::uniform_int_distribution<std::size_t> count(0, 60), piece(0, kPieces.size() - 1);
    std::string input;
    for (std::size_t n = count(random); n > 0; --n) {
        input += kPieces[piece(random)];
    }
    return input;
}

TEST(EmbeddingStream, MatchesTheModelOnGeneratedInputsInAnyBlockSize) {
    std::mt19937 random(20071002);
    const std::vector<TimeElement> elements = {
        kSpan,
        {TimeMode::TimeSpan, "", "2008"},
        {TimeMode::TimeSpan, "-0044-03-15", ""},
        {TimeMode::TimeStamp, "2007-10-02T00:00:00+00:00", "2008"}};  // a stamp has no end
    std::uniform_int_distribution<std::size_t> block_size(1, 40);
    for (int round = 0; round < 5000; ++round) {
        const std::string input = Random_Input(random);
        const TimeElement& element = elements[static_cast<std::size_t>(round) % elements.size()];
        const std::string expected = Model(input, element);
        ASSERT_EQ(Embed(input, element), expected) << "round " << round;
        ASSERT_EQ(Embed_In_Blocks(input, block_size(random), Time_Element_Text(element)), expected)
            << "round " << round;
    }
}

}  // namespace
}  // namespace zaveze
