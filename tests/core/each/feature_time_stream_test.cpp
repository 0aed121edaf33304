// SPDX-License-Identifier: MIT
// Each feature's own time, and the one element of the kept layout: the engine, fed in pieces of
// every size, against hand-written bytes and against the plain model. (The fuzz target compares
// the engine with the model on inputs of any shape.)

#include "core/each/feature_time_stream.h"

#include <gtest/gtest.h>

#include "support/feature_time_model.h"

namespace zaveze::testing {
namespace {

struct Outcome {
    std::string text;
    EmbedResult result;
};

Outcome Transform_All(TextTransformation&& stream, std::string_view input, std::size_t piece) {
    OutputBuffer out;
    for (std::size_t at = 0; at < input.size(); at += piece) {
        stream.Transform(input.substr(at, piece), out);
        while (stream.Release(out)) {
        }
    }
    stream.Finish({}, out);
    while (stream.Release(out)) {
    }
    return {std::string(out.View()), stream.Result()};
}

// The sources of a case: "name", or "begin name end data:end" for a TimeSpan.
FeatureTimes Times(const std::string& sources, std::optional<std::string> zone = {}) {
    FeatureTimes times;
    times.zone = std::move(zone);
    const std::size_t blank = sources.find(' ');
    if (blank == std::string::npos) {
        times.stamp = Read_Time_Source(sources);
        return times;
    }
    times.mode = TimeMode::TimeSpan;
    const std::size_t second = sources.find(" end ");
    times.begin = Read_Time_Source(sources.substr(6, second - 6));
    if (second != std::string::npos) {
        times.end = Read_Time_Source(sources.substr(second + 5));
    }
    return times;
}

ModelFeatureTimes Model_Times(const FeatureTimes& times) {
    const auto text = [](const std::optional<TimeSource>& source) {
        return source ? std::optional(Source_Text(*source)) : std::nullopt;
    };
    return {times.mode, text(times.stamp), text(times.begin), text(times.end), times.zone};
}

struct Case {
    std::string_view what, sources, input, expected;
    int timed, already, without;
};

const Case kCases[] = {
    {"before the first child that follows the leading ones, with its indentation", "data:year",
     "<Placemark>\n  <name>Austerlitz</name>\n  <styleUrl>#s</styleUrl>\n"
     "  <ExtendedData><Data name=\"year\"><value>1805-12-02</value></Data></ExtendedData>\n"
     "</Placemark>\n",
     "<Placemark>\n  <name>Austerlitz</name>\n  <TimeStamp><when>1805-12-02</when></TimeStamp>\n"
     "  <styleUrl>#s</styleUrl>\n"
     "  <ExtendedData><Data name=\"year\"><value>1805-12-02</value></Data></ExtendedData>\n"
     "</Placemark>\n",
     1, 0, 0},
    {"children on one line: the element joins them", "data:year",
     "<Placemark><name>Jena</name><ExtendedData><SchemaData><SimpleData name=\"year\">1806"
     "</SimpleData></SchemaData></ExtendedData></Placemark>",
     "<Placemark><name>Jena</name><TimeStamp><when>1806</when></TimeStamp><ExtendedData>"
     "<SchemaData><SimpleData name=\"year\">1806</SimpleData></SchemaData></ExtendedData>"
     "</Placemark>",
     1, 0, 0},
    {"after the last leading child, in the file's first line ending", "name",
     "<Placemark>\r\n\t<name>1851</name>\r\n\t<LookAt><range>9</range></LookAt>\r\n</Placemark>",
     "<Placemark>\r\n\t<name>1851</name>\r\n\t<LookAt><range>9</range></LookAt>\r\n"
     "\t<TimeStamp><when>1851</when></TimeStamp>\r\n</Placemark>",
     1, 0, 0},
    {"with the feature's prefix", "name",
     "<kml:Placemark><kml:name>1851</kml:name><kml:Point/></kml:Placemark>",
     "<kml:Placemark><kml:name>1851</kml:name><kml:TimeStamp><kml:when>1851</kml:when>"
     "</kml:TimeStamp><kml:Point/></kml:Placemark>",
     1, 0, 0},
    {"a TimeSpan with one side found, a zone for a time without one", "begin description end name",
     "<Placemark><description><![CDATA[<b>Photo</b> 2007-10-02T15:45]]></description>"
     "<name>IMG_20071002_1545</name></Placemark>",
     "<Placemark><description><![CDATA[<b>Photo</b> 2007-10-02T15:45]]></description>"
     "<name>IMG_20071002_1545</name><TimeSpan><begin>2007-10-02T15:45:00+01:00</begin>"
     "</TimeSpan></Placemark>",
     1, 0, 0},
    {"features already timed, without a date, without the source, in a comment", "name",
     "<Document>\n<Placemark><name>1805</name><gx:TimeStamp/></Placemark>\n"
     "<Placemark><name>Jena</name></Placemark>\n<Placemark/>\n"
     "<!-- <Placemark><name>1900</name></Placemark> -->\n</Document>\n",
     "<Document>\n<Placemark><name>1805</name><gx:TimeStamp/></Placemark>\n"
     "<Placemark><name>Jena</name></Placemark>\n<Placemark/>\n"
     "<!-- <Placemark><name>1900</name></Placemark> -->\n</Document>\n",
     0, 1, 1},
    {"a folder's own data, not its features'; decided at its first feature", "data:year",
     "<Folder>\n <name>Battles</name>\n <ExtendedData><Data name=\"year\"><value>1805</value>"
     "</Data></ExtendedData>\n <Placemark>\n  <ExtendedData><Data name=\"year\"><value>1806"
     "</value></Data></ExtendedData>\n </Placemark>\n <Placemark/>\n</Folder>",
     "<Folder>\n <name>Battles</name>\n <TimeStamp><when>1805</when></TimeStamp>\n "
     "<ExtendedData><Data name=\"year\"><value>1805</value></Data></ExtendedData>\n <Placemark>\n"
     "  <TimeStamp><when>1806</when></TimeStamp>\n  <ExtendedData><Data name=\"year\"><value>"
     "1806</value></Data></ExtendedData>\n </Placemark>\n <Placemark/>\n</Folder>",
     2, 0, 0},
    {"the first source counts; a self-closing leading child is passed", "name",
     "<Placemark><visibility/><name>none</name><name>1851</name></Placemark>",
     "<Placemark><visibility/><name>none</name><name>1851</name></Placemark>", 0, 0, 1},
    {"a child feature of a container with no other children", "name",
     "<Document><Placemark><name>2001</name></Placemark></Document>",
     "<Document><Placemark><name>2001</name><TimeStamp><when>2001</when></TimeStamp>"
     "</Placemark></Document>",
     1, 0, 0},
};

TEST(FeatureTimeStream, PutsEachElementWhereTheSchemaWantsIt) {
    for (const Case& test : kCases) {
        const FeatureTimes times = Times(std::string(test.sources), "+01:00");
        for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, test.input.size() + 1}) {
            const Outcome outcome = Transform_All(FeatureTimeStream(times), test.input, piece);
            EXPECT_EQ(outcome.text, test.expected) << test.what << ", pieces of " << piece;
            ASSERT_TRUE(outcome.result.features) << test.what;
            const FeatureCounts& counts = *outcome.result.features;
            EXPECT_EQ(counts.timed, test.timed) << test.what;
            EXPECT_EQ(counts.already_timed, test.already) << test.what;
            EXPECT_EQ(counts.without_date, test.without) << test.what;
        }
        const auto model = Model_Time_Features(std::string(test.input), Model_Times(times));
        EXPECT_EQ(model.text, test.expected) << test.what << ", the model";
        EXPECT_EQ(model.timed, test.timed) << test.what << ", the model";
        EXPECT_EQ(model.already_timed, test.already) << test.what << ", the model";
        EXPECT_EQ(model.without_date, test.without) << test.what << ", the model";
    }
}

// The KML 2.2 schema's sequence: in every kind of feature, after every child that comes before
// the time and before every child that comes after it.
TEST(FeatureTimeStream, TheElementFollowsTheSchemasSequenceInEveryFeature) {
    const std::string element = "<TimeStamp><when>1851</when></TimeStamp>";
    for (const char* kind : {"Document", "Folder", "Placemark", "NetworkLink", "GroundOverlay",
                             "ScreenOverlay", "PhotoOverlay"}) {
        for (const char* before :
             {"<visibility>1</visibility>", "<open>0</open>",
              "<atom:author><atom:name>A</atom:name></atom:author>", "<atom:link href=\"a\"/>",
              "<address>Prešeren Square</address>", "<xal:AddressDetails/>",
              "<phoneNumber>+386</phoneNumber>", "<Snippet maxLines=\"1\">s</Snippet>",
              "<description>d</description>", "<Camera><tilt>9</tilt></Camera>", "<LookAt/>"}) {
            for (const char* after : {"<styleUrl>#s</styleUrl>", "<Style/>", "<StyleMap/>",
                                      "<Region/>", "<ExtendedData/>", "<Point/>", "<Link/>",
                                      "<Icon/>", "<ViewVolume/>", "<Placemark/>", ""}) {
                const std::string start =
                    "<" + std::string(kind) + ">\n  <name>1851</name>\n  " + before + "\n  ";
                const std::string end = "</" + std::string(kind) + ">\n";
                const std::string input = *after != 0 ? start + after + "\n" + end
                                                      : start.substr(0, start.size() - 2) + end;
                const std::string expected =
                    *after != 0 ? start + element + "\n  " + after + "\n" + end
                                : start.substr(0, start.size() - 3) + "\n  " + element + "\n" + end;
                EXPECT_EQ(Transform_All(FeatureTimeStream(Times("name")), input, 5).text, expected)
                    << input;
            }
        }
    }
}

// A feature whose bytes before its data outgrow the memory limit goes through the temporary
// file; the output is the same.
TEST(FeatureTimeStream, AFeatureLargerThanTheMemoryLimitIsHeldInAFile) {
    std::string coordinates;
    while (coordinates.size() <= 3 * HeldOutput::kMemoryLimit) {
        coordinates += "13.3777,52.5163,0 ";
    }
    const std::string input = "<Document>\n<Placemark>\n<name>Berlin</name>\n<LineString>" +
                              coordinates +
                              "</LineString>\n<ExtendedData><Data name=\"year\">"
                              "<value>1989</value></Data></ExtendedData>\n</Placemark>\n"
                              "</Document>\n";
    std::string expected = input;
    expected.insert(input.find("<LineString>"), "<TimeStamp><when>1989</when></TimeStamp>\n");
    EXPECT_EQ(Transform_All(FeatureTimeStream(Times("data:year")), input, 65536).text, expected);
}

TEST(KeptLayout, TheElementGoesIntoTheFirstContainerAndNothingElseChanges) {
    const std::string element = "<TimeSpan><begin>2007</begin></TimeSpan>";
    const std::pair<std::string, std::string> cases[] = {
        {"<kml>\n  <Document id=\"d\">\n    <name>x</name>\n    <Folder>\n",
         "<kml>\n  <Document id=\"d\">\n    <name>x</name>\n    " + element + "\n    <Folder>\n"},
        {"<!-- <Folder> --><Folder/><kml:Folder>\r\n</kml:Folder>",
         "<!-- <Folder> --><Folder/><kml:Folder><kml:TimeSpan><kml:begin>2007</kml:begin>"
         "</kml:TimeSpan>\r\n</kml:Folder>"},
    };
    for (const auto& [input, expected] : cases) {
        const Outcome outcome = Transform_All(FeatureTimeStream(element), input, 3);
        EXPECT_EQ(outcome.text, expected);
        EXPECT_EQ(outcome.result.status, EmbedStatus::Written);
        EXPECT_EQ(Model_Keep_Layout(input, element), expected);
    }
    EXPECT_EQ(Transform_All(FeatureTimeStream(element), "<kml/>", 3).result.status,
              EmbedStatus::NoContainerTag);
}

}  // namespace
}  // namespace zaveze::testing
