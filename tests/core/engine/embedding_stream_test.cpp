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

// The line model's cases: what each input becomes with the element (E) after the first tag line.
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
        {"LF only", "a\n<Document>\nb\n", "a\r\n\r\n<Document>\r\n" + E + "\r\nb\r\n\r\n"},
        {"CR LF, no final break", "<kml>\r\n<Folder>\r\n</kml>",
         "<kml>\r\n\r\n<Folder>\r\n" + E + "\r\n</kml>\r\n"},
        {"lone CR", "a\rb\r\r\n<Folder>", "a\r\nb\r\n\r\n\r\n<Folder>\r\n" + E + "\r\n"},
        {"a tag cut by the end", "x<Docum", "x<Docum\r\n"},
        {"empty", "", ""},
    };
    for (const auto& [what, input, output] : cases) {
        EXPECT_EQ(Embed(input), output) << what;
    }
    EXPECT_FALSE(Embed_Text("", E).element_written);
    EXPECT_FALSE(Embed_Text("<kml><Document id='x'/></kml>\r\n", E).element_written);
    EXPECT_TRUE(Embed_Text("<kml><NetworkLink></kml>", E).element_written);
}

// The chosen tag is the first container start tag as an XML reader sees it; plain tags elsewhere
// are split as always.
TEST(EmbeddingStream, ChosenTag) {
    const std::string E = kSpanText;
    const struct {
        const char* what;
        std::string input, output;
    } cases[] = {
        {"attributes", "<kml><Document id=\"a\"><name>x</name>\r\n",
         "<kml>\r\n<Document id=\"a\">\r\n" + E + "<name>x</name>\r\n"},
        {"over three lines, single quotes", "<Placemark\r\n  id='p'\n  >x\r\n",
         "\r\n<Placemark\r\n  id='p'\r\n  >\r\n" + E + "x\r\n"},
        {"a prefix", "<kml:kml><kml:Document>\r\n",
         "<kml:kml>\r\n<kml:Document>\r\n" + With_Tag_Prefix(E, "kml") + "\r\n"},
        {"a plain tag in a comment first", "<!-- was <Document> --><Folder>\r\n",
         "<!-- was \r\n<Document>\r\n -->\r\n<Folder>\r\n" + E + "\r\n"},
        {"the document, not its first plain folder", "<Document id=\"root_doc\">\n<Folder>\n",
         "\r\n<Document id=\"root_doc\">\r\n" + E + "\r\n\r\n<Folder>\r\n\r\n\r\n"},
        {"CDATA, processing instruction, doctype with a subset, declaration",
         "<?x <Folder>?><![CDATA[<Folder>]]><!DOCTYPE k [<!ENTITY a '<Folder>'>]><!X <Folder>>"
         "<Folder/><NetworkLinkControl><Document >",
         "<?x \r\n<Folder>\r\n?><![CDATA[\r\n<Folder>\r\n]]><!DOCTYPE k [<!ENTITY a '\r\n"
         "<Folder>\r\n'>]><!X \r\n<Folder>\r\n><Folder/><NetworkLinkControl>\r\n<Document >\r\n" +
             E + "\r\n"},
    };
    for (const auto& [what, input, output] : cases) {
        EXPECT_EQ(Embed(input), output) << what;
        EXPECT_EQ(Model(input), output) << what;
    }
    // A tag longer than the scan holds is taken for none, whole or in blocks.
    const std::string too_long = "<Document id=\"" + std::string(kLongestStartTag, 'x') + "\">";
    const std::string expected = too_long + "\r\n<Folder id=\"f\">\r\n" + E + "\r\n";
    EXPECT_EQ(Embed(too_long + "<Folder id=\"f\">"), expected);
    EXPECT_EQ(Embed_In_Blocks(too_long + "<Folder id=\"f\">", 65536, E), expected);
    // Without a container outside the skipped parts, nothing is chosen.
    EXPECT_FALSE(Embed_Text("<!-- <Document> --><Document id=a><Folder", E).element_written);
}

TEST(EmbeddingStream, MatchesTheModelOnEverySampleFile) {
    for (const std::string& path : testing::Sample_Files()) {
        const std::string input = testing::Read_File(path);
        for (const TimeElement& element :
             {kSpan, TimeElement{TimeMode::TimeStamp, "2007-10-02T15:45:12-05:00", ""}}) {
            EXPECT_EQ(Embed(input, element), Model(input, element)) << path;
            EXPECT_EQ(Embed_In_Blocks(input, 7, Time_Element_Text(element)), Model(input, element))
                << path;
        }
    }
}

// Random inputs made of the pieces that matter: tags and near-tags, blanks, tabs, CR, LF,
// CR LF, other text; sometimes long lines and no final line break.
std::string Random_Input(std::mt19937& random) {
    static const std::vector<std::string> kPieces = {"<Document>",
                                                     "<Folder>",
                                                     "<Placemark>",
                                                     "<ScreenOverlay>",
                                                     "<GroundOverlay>",
                                                     "<PhotoOverlay>",
                                                     "<NetworkLink>",
                                                     "<Docu",
                                                     "ment>",
                                                     "<",
                                                     ">",
                                                     "<Folder id=\"f\">",
                                                     "<kml:Document>",
                                                     "<Placemark\r\n id='p'\n>",
                                                     "<Document ",
                                                     "id=\"d\"",
                                                     "<Folder/>",
                                                     "<NetworkLinkControl>",
                                                     "<!--",
                                                     "-->",
                                                     "<![CDATA[",
                                                     "]]>",
                                                     "<?",
                                                     "?>",
                                                     "<!DOCTYPE k [",
                                                     "]",
                                                     "<!",
                                                     "</Folder>",
                                                     "<kml>",
                                                     " ",
                                                     "  ",
                                                     "\t",
                                                     "\r",
                                                     "\n",
                                                     "\r\n",
                                                     "\n\r",
                                                     "text",
                                                     "\xC3\xA9",
                                                     std::string(1, '\0'),
                                                     std::string(300, 'x')};
    std::uniform_int_distribution<std::size_t> count(0, 60), piece(0, kPieces.size() - 1);
    std::string input;
    for (std::size_t n = count(random); n > 0; --n) {
        input += kPieces[piece(random)];
    }
    return input;
}

// Whether the chosen tag is the first plain tag, or neither exists: then the bytes are those of
// the first rule, where only plain tags counted.
bool Keeps_The_First_Rule(const std::string& input) {
    std::size_t first_plain = std::string::npos;
    for (std::string_view tag : kContainerTags) {
        first_plain = std::min(first_plain, input.find(tag));
    }
    const auto chosen = testing::Model_Chosen_Tag(input);
    return chosen ? chosen->begin == first_plain : first_plain == std::string::npos;
}

TEST(EmbeddingStream, MatchesTheModelOnGeneratedInputsInAnyBlockSize) {
    std::mt19937 random(20071002);
    const std::vector<TimeElement> elements = {
        kSpan,
        {TimeMode::TimeSpan, "", "2008"},
        {TimeMode::TimeSpan, "-0044-03-15", ""},
        {TimeMode::TimeStamp, "2007-10-02T00:00:00+00:00", ""}};
    std::uniform_int_distribution<std::size_t> block_size(1, 40);
    for (int round = 0; round < 5000; ++round) {
        const std::string input = Random_Input(random);
        const TimeElement& element = elements[static_cast<std::size_t>(round) % elements.size()];
        const std::string expected = Model(input, element);
        if (Keeps_The_First_Rule(input)) {
            ASSERT_EQ(expected, testing::Model_Embed_Plain(
                                    input, ModelElement{element.mode, element.begin, element.end}))
                << "round " << round;
        }
        ASSERT_EQ(Embed(input, element), expected) << "round " << round;
        ASSERT_EQ(Embed_In_Blocks(input, block_size(random), Time_Element_Text(element)), expected)
            << "round " << round;
    }
}

}  // namespace
}  // namespace zaveze
