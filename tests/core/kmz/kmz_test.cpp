// SPDX-License-Identifier: MIT
// KMZ archives in and out: the output is the input with the main document (the first ".kml"
// entry) embedded and deflated, and every other byte as it was, whatever the archive holds; a
// main document that cannot be used is named with what is wrong with it.

#include "core/kmz/kmz.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "cli/command_run.h"
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
#include "support/two_pass_model.h"
#include "support/zip_builder.h"

namespace zaveze::testing {
namespace {

const ModelElement kSpan{TimeMode::TimeSpan, "2007", ""};
const std::string kElement = Time_Element_Text({kSpan.mode, kSpan.begin, kSpan.end});
const std::string kKml =
    "<kml>\n<Document>\n<Placemark><name>a</name></Placemark>\n</Document>\n</kml>\n";

RawEntry With(RawEntry entry, auto change) {
    change(entry);
    return entry;
}

// An entry's central directory record without its local header's offset.
std::string Without_Offset(std::string record) {
    return record.replace(42, 4, 4, '\0');
}

// Info-ZIP's own test of an archive: every entry's checksum, and the archive's structure.
void Expect_Unzip_Accepts(const std::string& archive) {
#ifndef _WIN32
    EXPECT_EQ(std::system(("unzip -tqq '" + archive + "' </dev/null").c_str()), 0) << archive;
#else
    (void)archive;  // no unzip under wine
#endif
}

// The output must be the input with only the main document (entry `main`) changed: embedded and
// deflated under the same name, time and attributes; every other entry, local and central, and
// the archive's comment byte for byte (but for the places in the directory).
// `expected_main`: the main document's new text from its old; the model's, with the whole file's
// element, by default.
void Expect_Only_The_Main_Document_Changed(
    const std::string& input, const std::string& output, std::size_t main,
    const std::function<std::string(const std::string&)>& expected_main =
        [](const std::string& text) { return Model_Embed(text, kSpan); }) {
    const std::string before = Read_File(input), after = Read_File(output);
    const ZipLayout old_layout = Layout_Of(before), new_layout = Layout_Of(after);
    ASSERT_EQ(new_layout.records.size(), old_layout.records.size());
    EXPECT_EQ(new_layout.comment, old_layout.comment);
    for (std::size_t i = 0; i < old_layout.records.size(); ++i) {
        const std::string &old_record = old_layout.records[i], &new_record = new_layout.records[i];
        if (i != main) {
            EXPECT_EQ(Without_Offset(new_record), Without_Offset(old_record)) << i;
            EXPECT_EQ(Local_Entry(after, new_record), Local_Entry(before, old_record)) << i;
            continue;
        }
        EXPECT_EQ(Little_Endian(new_record, 10, 2), 8u);                // deflated
        EXPECT_EQ(new_record.substr(12, 4), old_record.substr(12, 4));  // time and date
        EXPECT_EQ(new_record.substr(38, 4), old_record.substr(38, 4));  // attributes
        EXPECT_EQ(new_record.substr(46, Little_Endian(new_record, 28, 2)),
                  old_record.substr(46, Little_Endian(old_record, 28, 2)));  // name
        EXPECT_EQ(Entry_Content(after, new_record),
                  expected_main(Entry_Content(before, old_record)));
    }
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
    EmbedResult Embed(const Embedding& embedding = kElement) {  // each time into a fresh output
        std::filesystem::remove(output);
        return Embed_File(input, output, embedding, Replacing::Never);
    }
    void Make_Archive(const std::vector<RawEntry>& entries) {
        Write_File(input, Zip_Bytes(entries));
    }
};

TEST_F(Kmz, EveryEntryKeepsItsPlaceNameTimeAttributesAndBytes) {
    for (const std::string& sample : Sample_Files()) {
        const std::string main = Read_File(sample);
        if (const InputVerdict verdict = Check_Input_File(sample).verdict;
            verdict != InputVerdict::Accepted) {
            EXPECT_EQ(verdict, InputVerdict::HasTimeData) << sample;  // each has a container
            continue;
        }
        for (const bool deflated : {true, false}) {
            Make_Archive({With(deflated ? Deflated("doc.kml", main) : Stored("doc.kml", main),
                               [](RawEntry& e) { e.external_attributes = 0100600u << 16; }),
                          Stored("files/", ""), Stored("files/icon.png", std::string(3000, '\x89')),
                          Deflated("files/model.dae", "<COLLADA/>" + std::string(500, 'x')),
                          Deflated("second.kml", "<kml><Folder><TimeSpan/></Folder></kml>")});
            ASSERT_EQ(Embed().status, EmbedStatus::Written) << sample;
            Expect_Only_The_Main_Document_Changed(input, output, 0);
            Expect_Unzip_Accepts(output);
        }
    }
}

// However an archive comes and goes (its main document's name in any letter case, under a
// ".kml" name, as ZIP64, through zaveze-embed, from a pipe, to standard output), only its main
// document changes.
TEST_F(Kmz, EveryWayInAndOutChangesOnlyTheMainDocument) {
    const std::string disguised = folder.File("trip.kml"), zip64 = folder.File("zip64.kmz");
    std::filesystem::copy_file(ZAVEZE_KMZ_DATA_DIR "/zip64.kmz", zip64);
    Make_Archive(
        {Stored("images/a.png", "png"), Deflated("Main.KML", kKml), Stored("b.kml", kKml)});
    Write_File(disguised, Read_File(input));
    // Each way writes `output` and says whether it did.
    const auto by_file = [&](const std::string& from) {
        return Embed_File(from, output, kElement, Replacing::Never).status == EmbedStatus::Written;
    };
    const auto by_command = [&](const std::string& from) {
        return cli::Embed_Command({"--begin", "2007", from, output}).status == 0;
    };
    std::vector<std::pair<std::string, std::function<bool(const std::string&)>>> ways = {
        {input, by_file}, {disguised, by_file}, {zip64, by_file}, {input, by_command}};
#ifndef _WIN32  // standard output and pipes as the POSIX tool meets them
    ways.emplace_back(input, [&](const std::string& from) {
        return Embed_From_Pipe(Read_File(from), output, kElement).status == EmbedStatus::Written;
    });
    ways.emplace_back(input, [&](const std::string& from) {
        const FileDescriptor out(::open(output.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644));
        return Embed_To_Descriptor(from, out.Get(), kElement).status == EmbedStatus::Written;
    });
#endif
    for (const auto& [from, embed] : ways) {
        std::filesystem::remove(output);
        ASSERT_TRUE(embed(from)) << from;
        Expect_Only_The_Main_Document_Changed(from, output, from == zip64 ? 0 : 1);
    }
}

// Each feature's own time goes into the main document alone, as into a KML file; an archive in
// whose main document no feature gets a time is refused.
TEST_F(Kmz, EachFeaturesTimeGoesIntoTheMainDocumentAlone) {
    const std::string main =
        "<kml>\n<Document>\n<Placemark><name>Austerlitz 1805</name>"
        "</Placemark>\n<Placemark><name>?</name></Placemark>\n</Document>\n";
    Make_Archive({Deflated("doc.kml", main), Stored("files/a.png", "png"),
                  Deflated("layers/more.kml", main)});
    FeatureTimes times;
    times.stamp = Read_Time_Source("name");
    const EmbedResult result = Embed(Embedding::For_Each_Feature(times));
    ASSERT_EQ(result.status, EmbedStatus::Written);
    ASSERT_TRUE(result.features);
    EXPECT_EQ(result.features->timed, 1u);
    EXPECT_EQ(result.features->lines_without_date, std::vector<std::uint64_t>{4});
    Expect_Only_The_Main_Document_Changed(input, output, 0, [](const std::string&) {
        return "<kml>\n<Document>\n<Placemark><name>Austerlitz 1805</name><TimeStamp><when>1805"
               "</when></TimeStamp></Placemark>\n<Placemark><name>?</name></Placemark>\n"
               "</Document>\n";
    });
    Expect_Unzip_Accepts(output);
    times.stamp = Read_Time_Source("description");
    EXPECT_EQ(Embed(Embedding::For_Each_Feature(times)).status, EmbedStatus::NoFeatureTimed);
    EXPECT_FALSE(std::filesystem::exists(output));
}

// The main document is read by the same rules as a KML file, at selection (of a file or of a
// pipe) and when it is written: here in UTF-16, its container tag with a prefix and an id after
// a comment that names a plain one.
TEST_F(Kmz, TheMainDocumentIsReadAsAKmlFileIs) {
    const std::string text =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<kml:kml><!-- <Folder> -->"
        "\r\n<kml:Document id=\"d\"></kml:Document></kml:kml>";
    Make_Archive({Stored("icon.png", "png"), Deflated("doc.kml", Utf16_Of(text))});
    std::vector<InputCheck> checks = {Check_Input_File(input)};
#ifndef _WIN32
    checks.push_back(Through_Pipe(Read_File(input),
                                  [](const std::string& path) { return Check_Input_File(path); }));
#endif
    for (const InputCheck& check : checks) {
        EXPECT_EQ(check.verdict, InputVerdict::Accepted);
        EXPECT_TRUE(check.kmz);
        EXPECT_EQ(check.first_tag, "<kml:Document id=\"d\">");
        EXPECT_EQ(check.first_tag_line, 3u);
        EXPECT_EQ(check.first_tag_prefix, "kml");
    }
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    const std::string after = Read_File(output);
    EXPECT_EQ(Entry_Content(after, Layout_Of(after).records[1]),
              Utf16_Of(Model_Embed(text, kSpan)));
}

// An archive under a ".kml" name, or a KML text under a ".kmz" one, would be a damaged file to
// every reader: refused, whether the input is known by its name or by its first bytes on a pipe.
TEST_F(Kmz, AnOutputNamedAsTheOtherKindIsRefused) {
    Make_Archive({Deflated("doc.kml", kKml)});
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
        {Embed_From_Pipe(archive, as_kml, kElement), archive_message},
        {Embed_From_Pipe(kKml, as_kmz, kElement), text_message},
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

TEST_F(Kmz, OddEntriesAndTheArchiveStayByteForByte) {
    const std::string unix_time("UT\x05\x00\x01\x3B\x9A\xCA\x01", 9);  // odd seconds
    const std::string owner("ux\x0B\x00\x01\x04\xE8\x03\x00\x00\x04\xE8\x03\x00\x00", 15);
    const std::vector<RawEntry> entries = {
        With(Stored("images/tile.png", "\x89PNG"),
             [&](RawEntry& e) {
                 e.local_extra = unix_time + owner;
                 e.central_extra = unix_time;
                 e.comment = "the tile";
                 e.dos_time = e.dos_date = 0;  // as some writers leave it
             }),
        With(Stored(std::string("nul\0name.txt", 12), "x"),
             [](RawEntry& e) {
                 e.dos_date = 0x3DA0, e.dos_time = 0x1400;
             }),  // 2010-13-00, a DST gap hour
        Stored("caf\xC3\xA9.txt", "CP437 bytes that read as UTF-8, without the UTF-8 flag"),
        Deflated("doc.kml", kKml),
        Stored("dup.txt", "first"),
        Stored("dup.txt", "second"),
        With(Stored("lzma.bin", "not really LZMA"), [](RawEntry& e) { e.method = 14; }),
        With(Stored("zstd.bin", "not really zstd"), [](RawEntry& e) { e.method = 93; }),
        With(Stored("aes.bin", "secret"),
             [](RawEntry& e) {
                 e.method = 99, e.flags = 1;
                 e.local_extra = e.central_extra =
                     std::string("\x01\x99\x07\x00\x02\x00\x41\x45\x03\x08\x00", 11);
             }),
        With(Stored("unknown.bin", "?"), [](RawEntry& e) { e.method = 77; }),
        With(Stored("malformed.bin", "!"),
             [](RawEntry& e) { e.central_extra = std::string("\xFE\xCA\x64\x00\x01\x02", 6); }),
    };
    const std::string before = Zip_Bytes(entries, "the archive's comment");
    Write_File(input, before);
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    Expect_Only_The_Main_Document_Changed(input, output, 3);
    const std::size_t main_start = Little_Endian(Layout_Of(before).records[3], 42, 4);
    EXPECT_EQ(Read_File(output).substr(0, main_start), before.substr(0, main_start));
}

// Found by fuzzing: a directory whose stated size counts a byte after its last record.
TEST_F(Kmz, BytesAfterTheLastRecordOfTheDirectoryStay) {
    std::string archive = Zip_Bytes({Deflated("doc.kml", kKml), Stored("icon.png", "png")});
    const std::size_t end = archive.size() - 22;
    archive.insert(end, "#");
    archive[end + 1 + 12] = static_cast<char>(archive[end + 1 + 12] + 1);  // the directory's size
    Write_File(input, archive);
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    const std::string after = Read_File(output);
    EXPECT_EQ(after.substr(after.size() - 23),
              archive.substr(end, 1) + after.substr(after.size() - 22));
    EXPECT_EQ(Check_Input_File(output).verdict, InputVerdict::HasTimeData);
}

// `cat first.kmz second.kmz > trip.kmz`: readers take the archive whose end record ends the file.
TEST_F(Kmz, OfTwoArchivesBackToBackTheLastIsEmbeddedInto) {
    const std::string first = Zip_Bytes({Stored("first.kml", kKml)});
    const std::string second_kml = "<kml><Folder><name>second</name></Folder></kml>";
    Write_File(input, first + Zip_Bytes({Deflated("second.kml", second_kml)}));
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    const std::string after = Read_File(output);
    EXPECT_EQ(after.substr(0, first.size()), first);
    const std::string second = after.substr(first.size());
    const ZipLayout layout = Layout_Of(second);
    ASSERT_EQ(layout.records.size(), 1u);
    EXPECT_EQ(Entry_Content(second, layout.records[0]), Model_Embed(second_kml, kSpan));
    Write_File(folder.File("second.kmz"), second);  // unzip warns of the bytes before it
    Expect_Unzip_Accepts(folder.File("second.kmz"));
}

// An archive with bytes before it (a self-extractor's program) is known by its end, whatever its
// name and first bytes, from a file or a pipe; it is embedded into as an archive, never as text.
TEST_F(Kmz, AnArchiveIsKnownByItsEnd) {
    const std::string stub = "MZ\x90" + std::string(1000, '\x01') + "<Document>";
    const std::string archive = Zip_Bytes({Stored("doc.kml", kKml), Stored("icon.png", "png")});
    const std::string disguised = folder.File("trip.exe");
    Write_File(disguised, stub + archive);
    std::vector<std::pair<std::string, std::function<EmbedResult()>>> ways = {
        {"file", [&] { return Embed_File(disguised, output, kElement, Replacing::Never); }}};
#ifndef _WIN32
    ways.emplace_back("pipe", [&] { return Embed_From_Pipe(stub + archive, output, kElement); });
#endif
    for (const auto& [way, embed] : ways) {
        std::filesystem::remove(output);
        ASSERT_EQ(embed().status, EmbedStatus::Written) << way;
        const std::string after = Read_File(output);
        EXPECT_EQ(after.substr(0, stub.size()), stub) << way;
        const std::string written_archive = after.substr(stub.size());
        EXPECT_EQ(Entry_Content(written_archive, Layout_Of(written_archive).records[0]),
                  Model_Embed(kKml, kSpan))
            << way;
    }
    EXPECT_TRUE(Check_Input_File(disguised).kmz);
#ifndef _WIN32
    // A pipe that starts like KML text is read as text: ending like an archive, it is refused as
    // one, and never written as text, whether its main document would pass as text or not.
    const std::string as_kml = folder.File("out.kml");
    for (const RawEntry& main : {Stored("doc.kml", kKml), Deflated("doc.kml", kKml)}) {
        const std::string piped = "<html>" + std::string(100, ' ') + Zip_Bytes({main});
        const EmbedResult result = Embed_From_Pipe(piped, as_kml, kElement);
        EXPECT_EQ(result.status, EmbedStatus::PipedArchive);
        EXPECT_EQ(Embed_Result_Message(result, "-", as_kml),
                  "Sorry, - is a KMZ archive behind bytes that look like KML text, which a pipe "
                  "shows only at its end; save it to a file and give that file. Nothing was "
                  "written.");
        EXPECT_FALSE(std::filesystem::exists(as_kml));
        EXPECT_EQ(
            Through_Pipe(piped,
                         [](const std::string& path) { return Check_Input_File(path).verdict; }),
            InputVerdict::PipedArchive);
    }
#endif
}

// Bytes that belong to no entry, between the main document and the next entry, stay; its data
// descriptor goes, since the new entry has its numbers in its header.
TEST_F(Kmz, BytesAfterTheMainDocumentStay) {
    for (const bool streamed : {false, true}) {
        RawEntry main = Deflated("doc.kml", kKml);
        if (streamed) {
            main = Streamed(main);
        }
        main.gap = "bytes of no entry";
        Make_Archive({Stored("icon.png", "png"), main, Stored("after.png", "after")});
        ASSERT_EQ(Embed().status, EmbedStatus::Written);
        Expect_Only_The_Main_Document_Changed(input, output, 1);
        const std::string after = Read_File(output);
        const std::string next = Local_Entry(after, Layout_Of(after).records[2]);
        EXPECT_NE(after.find("bytes of no entry" + next), std::string::npos) << streamed;
        EXPECT_EQ(after.find(main.descriptor), streamed ? std::string::npos : 0u);
        Expect_Unzip_Accepts(output);
    }
}

// Archives that cannot be used are refused with what is wrong, by the check and the embedding,
// from a file or a pipe, and nothing is written: no archive, or none with a KML document; time
// data or no container in the main document; a main document that is damaged, unreadable or
// overlapped (also by an entry before it); a damaged record where the main document's might
// be; fewer records than the end record counts.
TEST_F(Kmz, ArchivesThatCannotBeUsedAreRefusedWithTheReason) {
    const RawEntry good = Deflated("doc.kml", kKml);
    const auto archive = [](const RawEntry& main) {
        return Zip_Bytes({Stored("icon.png", "png"), main});
    };
    const auto patched = [&](std::size_t at, char value) {  // a byte of the directory changed
        std::string bytes = archive(good);
        bytes[Layout_Of(bytes).directory_start + at] = value;
        return bytes;
    };
    std::string miscounted = archive(good);
    miscounted[miscounted.size() - 22 + 8] = miscounted[miscounted.size() - 22 + 10] = 5;
    const std::string unusable = "Sorry, the KMZ archive " + input + " cannot be used: ";
    const std::string document = unusable + "its KML document doc.kml ";
    const std::string not_kmz =
        "Sorry, the file " + input + " is not a KMZ archive with a KML document in it.";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"not an archive at all", not_kmz},
        {Zip_Bytes({Deflated("readme.txt", "no document")}), not_kmz},
        {archive(Deflated("doc.kml", "<kml><Document><TimeStamp/></Document></kml>")),
         std::string(messages::kTimeDataPresent)},
        {archive(Deflated("doc.kml", "<kml><Document id=x></Document></kml>")),
         std::string(messages::kNoContainerTag)},
        {archive(With(good, [](RawEntry& e) { e.crc ^= 1; })),
         document + "is damaged (its checksum does not match). Nothing was written."},
        {archive(With(good, [](RawEntry& e) { e.data.resize(e.data.size() / 2); })),
         document + "is damaged (it ends before its stated end). Nothing was written."},
        {archive(With(good, [](RawEntry& e) { e.size += 1; })),
         document + "is damaged (its size is not the stated one). Nothing was written."},
        {archive(With(good, [](RawEntry& e) { e.data = std::string(40, '\xFF'); })),
         document + "is damaged (its compressed data is corrupt). Nothing was written."},
        {archive(With(good, [](RawEntry& e) { e.flags |= 1; })),
         document + "cannot be read (it is encrypted). Nothing was written."},
        {archive(With(good, [](RawEntry& e) { e.method = 14; })),
         document + "cannot be read (it is compressed with method 14, which KML readers do not "
                    "read). Nothing was written."},
        {patched(20, 40),  // the icon's compressed size reaches into the document
         document + "is damaged (another entry overlaps it). Nothing was written."},
        {patched(3, 9),  // the icon's record signature
         unusable + "its list of entries is damaged. Nothing was written."},
        {miscounted, unusable + "its list of entries is damaged. Nothing was written."},
    };
    for (const auto& [bytes, message] : cases) {
        Write_File(input, bytes);
        EXPECT_EQ(Embed_Result_Message(Embed(), input, output), message);
        EXPECT_EQ(Input_Refusal_Message(Check_Input_File(input), input), message);
#ifndef _WIN32
        if (bytes.starts_with("PK")) {  // from a pipe, a text is no archive but a text
            EXPECT_EQ(Embed_Result_Message(Embed_From_Pipe(bytes, output, kElement), input, output),
                      message);
        }
#endif
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"trip.kmz"});
    }
}

// More entries than a 16-bit count holds, as a tile pyramid has: the input's count wrapped around
// to 1; the output counts them in a ZIP64 end record, and unzip reads every entry.
TEST_F(Kmz, PastSixtyFiveThousandEntriesTheOutputIsZip64) {
    std::vector<RawEntry> entries = {Deflated("doc.kml", kKml)};
    for (int tile = 0; tile < 0x10000; ++tile) {
        entries.push_back(Stored("t/" + std::to_string(tile), "x"));
    }
    Make_Archive(entries);
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    Expect_Unzip_Accepts(output);
    const std::string after = Read_File(output);
    const std::size_t zip64_end = after.size() - 22 - 20 - 56;
    EXPECT_EQ(after.substr(zip64_end, 4), std::string("PK\x06\x06", 4));
    EXPECT_EQ(Little_Endian(after, zip64_end + 32, 8), 0x10001u);
    EXPECT_EQ(Little_Endian(after, after.size() - 22 + 10, 2), 0xFFFFu);
}

}  // namespace
}  // namespace zaveze::testing
