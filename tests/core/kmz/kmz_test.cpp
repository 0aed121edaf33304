// SPDX-License-Identifier: MIT
// KMZ archives in and out: the output holds the same entries in the same order with the same
// names, times and attributes; every entry but the main document keeps its compressed bytes; the
// main document is exactly the embedding of the input's.

#include "core/kmz/kmz.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <sstream>
#include <thread>

#include "cli/embed_command.h"
#include "core/embed_file.h"
#include "core/embed_to_stream.h"
#include "core/engine/embedding_stream.h"
#include "core/input_check.h"
#include "core/messages.h"
#include "core/time_element.h"
#ifndef _WIN32
#include "support/piped_input.h"
#endif
#include "support/temp_folder.h"
#include "support/zip_builder.h"

namespace zaveze {
namespace {

using testing::Read_File;
using testing::TempFolder;
using testing::Write_File;

const std::string kElement = Time_Element_Text({TimeMode::TimeSpan, "2007", ""});
const std::string kKml =
    "<kml>\n<Document>\n<Placemark><name>a</name></Placemark>\n</Document>\n</kml>\n";

// An entry of an archive to test with: deflated or stored, with a time (12:00 on 2010-01-01 by
// default) and Unix permissions.
struct Piece {
    std::string name;
    std::string bytes;
    bool deflated = true;
    std::uint16_t dos_date = 0x3C21;
    std::uint32_t attributes = 0100644u << 16;
};

void Make_Archive(const std::string& path, const std::vector<Piece>& pieces) {
    std::vector<testing::RawEntry> entries;
    for (const Piece& piece : pieces) {
        testing::RawEntry entry = piece.deflated && !piece.name.ends_with('/')
                                      ? testing::Deflated(piece.name, piece.bytes)
                                      : testing::Stored(piece.name, piece.bytes);
        entry.dos_date = piece.dos_date;
        entry.external_attributes = piece.attributes;
        entries.push_back(entry);
    }
    Write_File(path, testing::Zip_Bytes(entries));
}

// What an entry is (its central record, but where its local header is), and its bytes as stored
// and as inflated.
struct Listed {
    std::string record;
    std::string stored, inflated;
    bool operator==(const Listed&) const = default;
    friend void PrintTo(const Listed& entry, std::ostream* out) {
        *out << entry.record.substr(46) << ": " << entry.stored.size() << " bytes stored, "
             << entry.inflated.size() << " inflated";
    }
};

std::vector<Listed> List_Archive(const std::string& path) {
    const std::string archive = Read_File(path);
    std::vector<Listed> entries;
    for (std::string record : testing::Layout_Of(archive).records) {
        std::string local = testing::Local_Entry(archive, record);
        const std::string inflated = testing::Entry_Content(archive, record);
        local.erase(
            0, 30 + testing::Little_Endian(local, 26, 2) + testing::Little_Endian(local, 28, 2));
        entries.push_back({record.replace(42, 4, 4, '\0'), local, inflated});
    }
    return entries;
}

// The output must be the input with the main document (entry `main`) embedded and deflated, and
// an archive that Info-ZIP's unzip, a reader of its own, takes without complaint.
void Expect_Embedded_Copy(const std::string& input, const std::string& output, std::size_t main) {
    const std::vector<Listed> before = List_Archive(input), after = List_Archive(output);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i == main) {
            using testing::Little_Endian;
            const std::string &old_record = before[i].record, &new_record = after[i].record;
            EXPECT_EQ(Little_Endian(new_record, 10, 2), 8u);                // deflated
            EXPECT_EQ(new_record.substr(12, 4), old_record.substr(12, 4));  // time and date
            EXPECT_EQ(new_record.substr(38, 4), old_record.substr(38, 4));  // attributes
            EXPECT_EQ(new_record.substr(46, Little_Endian(new_record, 28, 2)),
                      old_record.substr(46, Little_Endian(old_record, 28, 2)));  // name
            EXPECT_EQ(after[i].inflated, Embed_Text(before[i].inflated, kElement).text);
        } else {
            EXPECT_EQ(after[i], before[i]);
        }
    }
#ifndef _WIN32
    EXPECT_EQ(std::system(("unzip -tqq '" + output + "' </dev/null").c_str()), 0) << output;
#endif
}

class Kmz : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Kmz_Supported()) {
            GTEST_SKIP() << "built without KMZ support";
        }
    }
    TempFolder folder;
    std::string input = folder.File("trip.kmz");
    std::string output = folder.File("trip_2007_to_Present.kmz");
    EmbedResult Embed() { return Embed_File(input, output, kElement, Replacing::Never); }
};

TEST_F(Kmz, EveryEntryKeepsItsPlaceNameTimeAttributesAndBytes) {
    for (const std::string& sample : testing::Sample_Files()) {
        const std::string main = Read_File(sample);
        if (Check_Input_File(sample).verdict != InputVerdict::Accepted) {
            continue;
        }
        for (const bool deflated : {true, false}) {
            Make_Archive(input, {{"doc.kml", main, deflated, 0x3C21, 0100600u << 16},
                                 {"files/", ""},
                                 {"files/icon.png", std::string(3000, '\x89'), false},
                                 {"files/model.dae", "<COLLADA/>" + std::string(500, 'x')},
                                 {"second.kml", "<kml><Folder><TimeSpan/></Folder></kml>"}});
            std::filesystem::remove(output);
            ASSERT_EQ(Embed().status, EmbedStatus::Written) << sample;
            Expect_Embedded_Copy(input, output, 0);
        }
    }
}

TEST_F(Kmz, TheMainDocumentIsTheFirstKmlEntryInAnyLetterCase) {
    Make_Archive(input, {{"images/a.png", "png"}, {"Main.KML", kKml}, {"doc.kml", kKml}});
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    Expect_Embedded_Copy(input, output, 1);
}

TEST_F(Kmz, RefusalsWriteNothing) {
    const std::vector<std::pair<std::vector<Piece>, EmbedStatus>> cases = {
        {{{"doc.kml", "<kml><Document><TimeStamp/></Document></kml>"}}, EmbedStatus::HasTimeData},
        {{{"doc.kml", "<kml><Document id='x'></Document></kml>"}}, EmbedStatus::NoContainerTag},
        {{{"readme.txt", "no document"}}, EmbedStatus::NotKmz},
    };
    for (const auto& [pieces, status] : cases) {
        Make_Archive(input, pieces);
        EXPECT_EQ(Embed().status, status);
        EXPECT_EQ(Check_Input_File(input).verdict,
                  status == EmbedStatus::HasTimeData      ? InputVerdict::HasTimeData
                  : status == EmbedStatus::NoContainerTag ? InputVerdict::NoContainerTag
                                                          : InputVerdict::NotKmz);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"trip.kmz"});
    }
    Write_File(input, "not an archive at all");
    const EmbedResult result = Embed();
    EXPECT_EQ(result.status, EmbedStatus::NotKmz);
    EXPECT_EQ(Embed_Result_Message(result, input, output),
              "Sorry, the file " + input + " is not a KMZ archive with a KML document in it.");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"trip.kmz"});
}

TEST_F(Kmz, AnArchiveIsKnownByItsFirstBytesWhateverItsName) {
    const std::string disguised = folder.File("trip.kml");
    Make_Archive(disguised, {{"doc.kml", kKml}});
    ASSERT_EQ(Embed_File(disguised, output, kElement, Replacing::Never).status,
              EmbedStatus::Written);
    Expect_Embedded_Copy(disguised, output, 0);
}

TEST_F(Kmz, AZip64ArchiveIsReadAndWritten) {
    std::filesystem::copy_file(ZAVEZE_KMZ_DATA_DIR "/zip64.kmz", input);
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    Expect_Embedded_Copy(input, output, 0);
}

TEST_F(Kmz, TheCheckAtSelectionFindsTheTagInTheMainDocument) {
    Make_Archive(input, {{"doc.kml", "<kml>\r\n\r\n<Folder>"}});
    const InputCheck check = Check_Input_File(input);
    EXPECT_EQ(check.verdict, InputVerdict::Accepted);
    EXPECT_EQ(check.first_tag, "<Folder>");
    EXPECT_EQ(check.first_tag_line, 3u);
}

#ifndef _WIN32  // standard output and pipes as the POSIX tool meets them
TEST_F(Kmz, AnArchiveGoesToStandardOutputWhole) {
    Make_Archive(input, {{"doc.kml", kKml}, {"icon.png", "png", false}});
    {
        const FileDescriptor out(::open(output.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644));
        ASSERT_EQ(Embed_To_Descriptor(input, out.Get(), kElement).status, EmbedStatus::Written);
    }
    Expect_Embedded_Copy(input, output, 0);
}

EmbedResult Embed_From_Pipe(const std::string& bytes, const std::string& output) {
    return testing::Embed_From_Pipe(bytes, output, kElement);
}

// `cat trip.kmz | zaveze-embed --dry-run --begin 2007 - trip_2007.kmz`
TEST_F(Kmz, APipedArchiveIsCheckedLikeAFile) {
    Make_Archive(input, {{"icon.png", "png", false}, {"doc.kml", "<kml>\n<Folder>"}});
    const InputCheck check = testing::Through_Pipe(
        Read_File(input), [](const std::string& path) { return Check_Input_File(path); });
    EXPECT_EQ(check.verdict, InputVerdict::Accepted);
    EXPECT_TRUE(check.kmz);
    EXPECT_EQ(check.first_tag, "<Folder>");
    EXPECT_EQ(check.first_tag_line, 2u);
}

TEST_F(Kmz, APipedArchiveIsHeldAndRecognised) {
    Make_Archive(input, {{"doc.kml", kKml}, {"icon.png", "png", false}});
    const EmbedResult result = Embed_From_Pipe(Read_File(input), output);
    ASSERT_EQ(result.status, EmbedStatus::Written);
    Expect_Embedded_Copy(input, output, 0);
}

#endif

TEST_F(Kmz, ZavezeEmbedTakesArchivesLikeKmlFiles) {
    Make_Archive(input, {{"doc.kml", kKml}});
    std::string program = "zaveze-embed", begin = "--begin", year = "2007";
    char* argv[] = {program.data(), begin.data(), year.data(), input.data(), nullptr};
    std::ostringstream out, err;
    EXPECT_EQ(cli::Run_Embed_Command(4, argv, out, err), 0);
    EXPECT_EQ(out.str(), "File " + output + " created.\n");
    Expect_Embedded_Copy(input, output, 0);
}

// An archive under a ".kml" name, or a KML text under a ".kmz" one, would be a damaged file to
// every reader: refused, whether the input is known by its name or by its first bytes on a pipe.
TEST_F(Kmz, AnOutputNamedAsTheOtherKindIsRefused) {
    Make_Archive(input, {{"doc.kml", kKml}});
    const std::string archive = Read_File(input);
    const std::string text = folder.File("text.kml");
    Write_File(text, kKml);
    const std::string as_kml = folder.File("out.kml"), as_kmz = folder.File("out.kmz");
    const std::string archive_message = "Sorry, the file " + input +
                                        " is a KMZ archive, and the output " + as_kml +
                                        " is named as a KML file; name it with .kmz. Nothing was "
                                        "written.";
    const std::string text_message = "Sorry, the file " + input +
                                     " is not a KMZ archive, and the output " + as_kmz +
                                     " is named as one; name it with .kml. Nothing was written.";
    const std::vector<std::pair<EmbedResult, std::string>> cases = {
        {Embed_File(input, as_kml, kElement, Replacing::Never), archive_message},
        {Embed_File(text, as_kmz, kElement, Replacing::Never), text_message},
#ifndef _WIN32
        {Embed_From_Pipe(archive, as_kml), archive_message},
        {Embed_From_Pipe(kKml, as_kmz), text_message},
#endif
    };
    for (const auto& [result, message] : cases) {
        EXPECT_TRUE(Is_Refusal(result.status));
        EXPECT_EQ(
            Embed_Result_Message(result, input,
                                 result.status == EmbedStatus::ArchiveIntoKml ? as_kml : as_kmz),
            message);
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"text.kml", "trip.kmz"}));
}

#ifndef _WIN32  // GDAL runs on Linux here
// A real KML reader: GDAL's LIBKML driver finds the written time on the receiving feature.
TEST_F(Kmz, GdalReadsTheTimeOnTheFeature) {
    ASSERT_EQ(std::system("command -v ogrinfo >/dev/null 2>&1"), 0)
        << "ogrinfo is missing: tools/test installs it (Debian's gdal-bin)";
    Make_Archive(input, {{"doc.kml",
                          "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Placemark>"
                          "<name>Here</name><Point><coordinates>14.5,46.05,0"
                          "</coordinates></Point></Placemark>\n</kml>\n"}});
    ASSERT_EQ(Embed_File(input, output, Time_Element_Text({TimeMode::TimeStamp, "2007-10-02", ""}),
                         Replacing::Never)
                  .status,
              EmbedStatus::Written);
    const std::string report = folder.File("ogrinfo.txt");
    ASSERT_EQ(std::system(("ogrinfo -ro -al '" + output + "' > '" + report + "' 2>&1").c_str()), 0);
    const std::string text = Read_File(report);
    EXPECT_NE(text.find("using driver `LIBKML'"), std::string::npos) << text;
    EXPECT_NE(text.find("timestamp (DateTime) = 2007/10/02"), std::string::npos) << text;
}
#endif

}  // namespace
}  // namespace zaveze
