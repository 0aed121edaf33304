// SPDX-License-Identifier: MIT
#include "core/engine/embedding_stream.h"

#include <gtest/gtest.h>

#include "core/engine/container_tags.h"
#include "core/time_element.h"
#include "support/two_pass_model.h"

namespace zaveze::testing {
namespace {

const ModelElement kSpan{TimeMode::TimeSpan, "2007-01-01", "2007-12-31"};
const std::string kSpanText = Time_Element_Text({kSpan.mode, kSpan.begin, kSpan.end});

std::string Embed(const std::string& input) {
    return Embed_Text(input, kSpanText).text;
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
        EXPECT_EQ(Embed_In_Blocks(input, 3, E), output) << what;
        EXPECT_EQ(Model_Embed(input, kSpan), output) << what;
    }
    EXPECT_FALSE(Embed_Text("", E).element_written);
    EXPECT_FALSE(Embed_Text("<!-- <Document> --><Document id=a><Folder/>", E).element_written);
    // A tag longer than the scan holds is taken for none, whole or in blocks.
    const std::string too_long = "<Document id=\"" + std::string(kLongestStartTag, 'x') + "\">";
    const std::string expected = too_long + "\r\n<Folder id=\"f\">\r\n" + E + "\r\n";
    EXPECT_EQ(Embed(too_long + "<Folder id=\"f\">"), expected);
    EXPECT_EQ(Embed_In_Blocks(too_long + "<Folder id=\"f\">", 65536, E), expected);
}

}  // namespace
}  // namespace zaveze::testing
