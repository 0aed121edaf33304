// SPDX-License-Identifier: MIT
// KML as the programs that map makers use write it, through zaveze-embed, and the outputs read
// back by real readers: GDAL for layers and features, xmllint for where the time element stands.

#include "cli/command_run.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>

#include "core/time_element.h"
#include "support/feature_time_model.h"
#include "support/piped_input.h"
#include "support/temp_folder.h"
#include "support/two_pass_model.h"

namespace zaveze::cli {
namespace {

using namespace std::string_literals;
using namespace testing;  // the test support

const ModelElement kSpan{TimeMode::TimeSpan, "2007-01-01", "2007-12-31"};
const std::string E = Time_Element_Text({kSpan.mode, kSpan.begin, kSpan.end});
const std::string kKml = "<kml xmlns=\"http://www.opengis.net/kml/2.2\">";
const std::string kPoint = "<Point><coordinates>14.5,46.05</coordinates></Point>";

// What a shell command printed; the test fails when it cannot start or fails.
std::string Output_Of(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    std::string text;
    std::array<char, 4096> buffer;
    for (std::size_t count; (count = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) {
        text.append(buffer.data(), count);
    }
    EXPECT_EQ(pclose(pipe.release()), 0) << command << ":\n" << text;
    return text;
}

// The layers and their feature counts, as GDAL reads them.
std::string Layers_Of(const std::string& file) {
    static const std::regex kLine("^(Layer name|Feature Count):.*\n", std::regex::multiline);
    const std::string report = Output_Of("ogrinfo -ro -so -al '" + file + "'");
    std::string layers;
    for (std::sregex_iterator line(report.begin(), report.end(), kLine), end; line != end; ++line) {
        layers += line->str();
    }
    return layers;
}

// The element that the time element stands in, and that element's id, as an XML reader sees it.
std::string Time_Parent_Of(const std::string& file) {
    const std::string parent = "//*[local-name()='TimeSpan']/..";
    std::string text = Output_Of("xmllint --xpath \"concat(name(" + parent + "), ' ', " + parent +
                                 "/@id)\" '" + file + "'");
    if (text.ends_with('\n')) {
        text.pop_back();
    }
    return text;
}

class Exporters : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"ogrinfo", "ogr2ogr", "xmllint"}) {
            ASSERT_EQ(std::system(("command -v " + std::string(tool) + " >/dev/null").c_str()), 0)
                << tool << " is missing: tools/test installs it (gdal-bin, libxml2-utils)";
        }
    }
    // Embeds a span of 2007 into the file `name` with `bytes`; the output, of the same name in
    // another folder, since GDAL names a single layer after its file.
    std::string Embed(const std::string& name, const std::string& bytes, bool gdal_reads = true) {
        const std::string input = folder.File(name);
        std::string output = (dated.Path() / name).string();
        Write_File(input, bytes);
        const CommandRun run =
            Embed_Command({"--begin", "2007-01-01", "--end", "2007-12-31", input, output});
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        // GDAL finds the same layers and features in the output as in the input.
        if (gdal_reads) {
            EXPECT_EQ(Layers_Of(output), Layers_Of(input)) << name;
        }
        return output;
    }
    TempFolder folder, dated;
};

// Shapes of files as exporters write them, each with the element that the time goes into; the
// bytes are the model's, in UTF-16 too, from a file and from a pipe.
TEST_F(Exporters, HandMadeShapes) {
    enum Encoding { Utf8, Utf16Little, Utf16Big };
    const std::string kUtf16Text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + kKml +
                                   "<Document id=\"d\"><name>Ljubljana \xC4\x8D"
                                   "as</name><Placemark>" +
                                   kPoint + "</Placemark></Document></kml>\r\n";
    const struct {
        const char* name;
        std::string text, time_parent;
        Encoding encoding = Utf8;
        bool gdal_reads = true;  // libkml refuses a document type with entities
    } cases[] = {
        {"simplekml.kml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + kKml +
             "<Document id=\"1\"><Folder id=\"2\"><Placemark id=\"3\">" + kPoint +
             "</Placemark></Folder></Document></kml>\n",
         "Document 1"},
        {"markup-first.kml",
         "<?xml version=\"1.0\"?>\r\n<!DOCTYPE kml [\r\n<!ENTITY place \"<Folder>\">\r\n]>\r\n" +
             kKml +
             "<!-- was <Document> --><?editor keep <Folder>?><![CDATA[<Placemark>]]>\r\n"
             "<Placemark id=\"p\">" +
             kPoint + "</Placemark></kml>\r\n",
         "Placemark p", Utf8, false},
        {"three-lines.kml",
         kKml + "\r\n<Document\r\n    id=\"d\"\r\n    >\r\n<Placemark>" + kPoint +
             "</Placemark></Document></kml>\r\n",
         "Document d"},
        {"prefixed.kml",
         "<kml:kml xmlns:kml=\"http://www.opengis.net/kml/2.2\"><kml:Document><kml:Placemark>"
         "<kml:Point><kml:coordinates>14.5,46.05</kml:coordinates></kml:Point></kml:Placemark>"
         "</kml:Document></kml:kml>",
         "kml:Document "},
        {"utf16le.kml", "\xEF\xBB\xBF" + kUtf16Text, "Document d", Utf16Little},
        {"utf16be.kml", kUtf16Text, "Document d", Utf16Big},
    };
    const auto encoded = [](const std::string& text, Encoding encoding) {
        return encoding == Utf8 ? text : Utf16_Of(text, encoding == Utf16Big);
    };
    for (const auto& [name, text, time_parent, encoding, gdal_reads] : cases) {
        const std::string input = encoded(text, encoding);
        const std::string output = encoded(Model_Embed(text, kSpan), encoding);
        const std::string written = Embed(name, input, gdal_reads);
        EXPECT_EQ(Read_File(written), output) << name;
        EXPECT_EQ(Time_Parent_Of(written), time_parent) << name;
        // The same bytes from a pipe.
        std::filesystem::remove(written);
        EXPECT_EQ(Embed_From_Pipe(input, written, E).status, EmbedStatus::Written);
        EXPECT_EQ(Read_File(written), output) << name;
    }
}

// GDAL's drivers, as QGIS and ogr2ogr use them, on two layers with a schema: the time goes on
// the document that holds every layer.
TEST_F(Exporters, GdalOutput) {
    Write_File(folder.File("roads.geojson"),
               R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"Main","lanes":2},"geometry":{"type":"LineString","coordinates":[[14.5,46.05],[14.51,46.06]]}},
{"type":"Feature","properties":{"name":"Side","lanes":1},"geometry":{"type":"LineString","coordinates":[[14.52,46.05],[14.53,46.07]]}}]})");
    Write_File(folder.File("sites.geojson"),
               R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"Castle","year":1144},"geometry":{"type":"Point","coordinates":[14.508,46.049]}}]})");
    const std::string layers = folder.File("layers.gpkg");
    Output_Of("ogr2ogr -f GPKG '" + layers + "' '" + folder.File("roads.geojson") +
              "' -nln roads && ogr2ogr -f GPKG -update '" + layers + "' '" +
              folder.File("sites.geojson") + "' -nln sites");
    for (const char* driver : {"KML", "LIBKML"}) {
        const std::string name = std::string(driver) + ".kml";
        Output_Of("ogr2ogr -f " + std::string(driver) + " '" + folder.File(name) + "' '" + layers +
                  "'");
        const std::string input = Read_File(folder.File(name));
        const std::string written = Embed(name, input);
        EXPECT_EQ(Read_File(written), Model_Embed(input, kSpan)) << driver;
        EXPECT_NE(Read_File(written).find("<Document id=\"root_doc\">\r\n" + E), std::string::npos)
            << driver;
        EXPECT_EQ(Time_Parent_Of(written), "Document root_doc") << driver;
        EXPECT_EQ(Layers_Of(written),
                  "Layer name: roads\nFeature Count: 2\nLayer name: sites\n"
                  "Feature Count: 1\n")
            << driver;
    }
}

// Each feature's own time, from the fields GDAL's drivers write (LIBKML would take fields
// named "begin" and "end" for a TimeSpan itself): GDAL then shows each feature's time as its
// fields and reads the same layers, and the bytes are the model's; from a pipe alike.
TEST_F(Exporters, EachFeatureTimedAsGdalSeesIt) {
    Write_File(folder.File("sites.geojson"), R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"Castle","built":"1144-06-01","razed":"1511-03-26"},"geometry":{"type":"Point","coordinates":[14.508,46.049]}},
{"type":"Feature","properties":{"name":"Bridge","built":"1901-05-02T15:45","razed":"n/a"},"geometry":{"type":"Point","coordinates":[14.5,46.05]}},
{"type":"Feature","properties":{"name":"Unknown","built":"n/a","razed":""},"geometry":{"type":"Point","coordinates":[14.5,46.06]}}]})");
    FeatureTimes times;
    times.mode = TimeMode::TimeSpan;
    times.begin = Read_Time_Source("data:built");
    times.end = Read_Time_Source("data:razed");
    times.zone = "+01:00";
    for (const std::string driver : {"KML", "LIBKML"}) {
        const std::string input = folder.File(driver + ".kml");
        Output_Of("ogr2ogr -f " + driver + " '" + input + "' '" + folder.File("sites.geojson") +
                  "'");
        const std::string output = (dated.Path() / (driver + ".kml")).string();
        const CommandRun run = Embed_Command({"--each", "--begin-from", "data:built", "--end-from",
                                              "data:razed", "--zone", "+01", input, output});
        EXPECT_TRUE(run.out.starts_with("File " + output +
                                        " created: 2 features timed, 0 already timed, 1 without "
                                        "a date (line "))
            << driver << ": " << run.out << run.err;
        const std::string original = Read_File(input);
        EXPECT_EQ(Read_File(output),
                  Model_Time_Features(original, {TimeMode::TimeSpan, std::nullopt, "data:built",
                                                 "data:razed", "+01:00"})
                      .text)
            << driver;
        EXPECT_EQ(Layers_Of(output), Layers_Of(input)) << driver;
        const std::string features = Output_Of("ogrinfo -ro -al '" + output + "'");
        for (const char* field :
             {"begin (DateTime) = 1144/06/01 00:00:00", "end (DateTime) = 1511/03/26 00:00:00",
              "begin (DateTime) = 1901/05/02 15:45:00+01"}) {
            EXPECT_NE(features.find(field), std::string::npos) << driver << ": " << field;
        }
        const std::string piped = folder.File(driver + "-piped.kml");
        EXPECT_EQ(Embed_From_Pipe(original, piped, Embedding::For_Each_Feature(times)).status,
                  EmbedStatus::Written);
        EXPECT_EQ(Read_File(piped), Read_File(output)) << driver;
    }
}

}  // namespace
}  // namespace zaveze::cli
