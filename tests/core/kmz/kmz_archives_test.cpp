// SPDX-License-Identifier: MIT
// KMZ archives as other programs write them: every byte that is not the main document's stays as
// it was, whatever the other entries hold; the archive that readers read is the one embedded
// into; and a main document that cannot be used is named with what is wrong with it.

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/embed_file.h"
#include "core/engine/embedding_stream.h"
#include "core/input_check.h"
#include "core/time_element.h"
#ifndef _WIN32
#include "support/piped_input.h"
#endif
#include "support/temp_folder.h"
#include "support/zip_builder.h"

namespace zaveze {
namespace {

using testing::Deflated;
using testing::Layout_Of;
using testing::Little_Endian;
using testing::RawEntry;
using testing::Read_File;
using testing::Stored;
using testing::TempFolder;
using testing::Write_File;
using testing::Zip_Bytes;

const std::string kElement = Time_Element_Text({TimeMode::TimeSpan, "2007", ""});
const std::string kKml = "<kml>\r\n<Document>\r\n<name>a</name>\r\n</Document>\r\n</kml>\r\n";

// An entry's central directory record without its local header's offset.
std::string Without_Offset(std::string record) {
    return record.replace(42, 4, 4, '\0');
}

RawEntry With(RawEntry entry, auto change) {
    change(entry);
    return entry;
}

class KmzArchives : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string input = folder.File("trip.kmz");
    std::string output = folder.File("out.kmz");
    EmbedResult Embed() { return Embed_File(input, output, kElement, Replacing::Never); }
};

TEST_F(KmzArchives, EveryOtherEntryAndTheArchiveStayByteForByte) {
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

    const std::string after = Read_File(output);
    const testing::ZipLayout old_layout = Layout_Of(before), new_layout = Layout_Of(after);
    ASSERT_EQ(new_layout.records.size(), old_layout.records.size());
    EXPECT_EQ(new_layout.comment, "the archive's comment");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string &old_record = old_layout.records[i], &new_record = new_layout.records[i];
        if (i == 3) {
            EXPECT_EQ(testing::Entry_Content(after, new_record), Embed_Text(kKml, kElement).text);
            continue;
        }
        EXPECT_EQ(Without_Offset(new_record), Without_Offset(old_record)) << i;
        EXPECT_EQ(testing::Local_Entry(after, new_record), testing::Local_Entry(before, old_record))
            << i;
    }
    const std::size_t main_start = Little_Endian(old_layout.records[3], 42, 4);
    EXPECT_EQ(after.substr(0, main_start), before.substr(0, main_start));
    EXPECT_EQ(Check_Input_File(output).verdict, InputVerdict::HasTimeData);
}

// Info-ZIP's own test of an archive: every entry's checksum, and the archive's structure.
void Expect_Unzip_Accepts(const std::string& archive) {
#ifndef _WIN32
    EXPECT_EQ(std::system(("unzip -tqq '" + archive + "' </dev/null").c_str()), 0) << archive;
#else
    (void)archive;  // no unzip under wine
#endif
}

// Streaming writers (Java's, and Python's for files they cannot seek in) leave an entry's
// checksum and sizes to a data descriptor after its data.
TEST_F(KmzArchives, EntriesWithDataDescriptors) {
    const std::string before = Zip_Bytes({testing::Streamed(Stored("icon.png", "png")),
                                          testing::Streamed(Deflated("doc.kml", kKml)),
                                          testing::Streamed(Stored("after.png", "after"))});
    Write_File(input, before);
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    const std::string after = Read_File(output);
    const testing::ZipLayout old_layout = Layout_Of(before), new_layout = Layout_Of(after);
    ASSERT_EQ(new_layout.records.size(), 3u);
    EXPECT_EQ(testing::Entry_Content(after, new_layout.records[1]),
              Embed_Text(kKml, kElement).text);
    for (const std::size_t i : {0u, 2u}) {
        EXPECT_EQ(Without_Offset(new_layout.records[i]), Without_Offset(old_layout.records[i]));
        EXPECT_EQ(testing::Local_Entry(after, new_layout.records[i]),
                  testing::Local_Entry(before, old_layout.records[i]));
    }
    Expect_Unzip_Accepts(output);
}

// Found by fuzzing: a directory whose stated size counts a byte after its last record.
TEST_F(KmzArchives, BytesAfterTheLastRecordOfTheDirectoryStay) {
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
TEST_F(KmzArchives, OfTwoArchivesBackToBackTheLastIsEmbeddedInto) {
    const std::string first = Zip_Bytes({Stored("first.kml", kKml)});
    const std::string second_kml = "<kml><Folder><name>second</name></Folder></kml>";
    Write_File(input, first + Zip_Bytes({Deflated("second.kml", second_kml)}));
    ASSERT_EQ(Embed().status, EmbedStatus::Written);
    const std::string after = Read_File(output);
    EXPECT_EQ(after.substr(0, first.size()), first);
    const std::string second = after.substr(first.size());
    const testing::ZipLayout layout = Layout_Of(second);
    ASSERT_EQ(layout.records.size(), 1u);
    EXPECT_EQ(testing::Entry_Content(second, layout.records[0]),
              Embed_Text(second_kml, kElement).text);
    Write_File(folder.File("second.kmz"), second);  // unzip warns of the bytes before it
    Expect_Unzip_Accepts(folder.File("second.kmz"));
}

#ifndef _WIN32
EmbedResult Embed_From_Pipe(const std::string& bytes, const std::string& output) {
    return testing::Embed_From_Pipe(bytes, output, kElement);
}
#endif

TEST_F(KmzArchives, AMainDocumentThatCannotBeUsedIsNamedWithWhatIsWrong) {
    const RawEntry good = Deflated("doc.kml", kKml);
    const std::vector<std::pair<RawEntry, std::string>> cases = {
        {With(good, [](RawEntry& e) { e.crc ^= 1; }), "is damaged (its checksum does not match)"},
        {With(good, [](RawEntry& e) { e.data.resize(e.data.size() / 2); }),
         "is damaged (it ends before its stated end)"},
        {With(good, [](RawEntry& e) { e.size += 1; }),
         "is damaged (its size is not the stated one)"},
        {With(good, [](RawEntry& e) { e.data = std::string(40, '\xFF'); }),
         "is damaged (its compressed data is corrupt)"},
        {With(good, [](RawEntry& e) { e.flags |= 1; }), "cannot be read (it is encrypted)"},
        {With(good, [](RawEntry& e) { e.method = 14; }),
         "cannot be read (it is compressed with method 14, which KML readers do not read)"},
    };
    for (const auto& [main, what] : cases) {
        const std::string archive = Zip_Bytes({Stored("icon.png", "png"), main});
        Write_File(input, archive);
        const std::string message = "Sorry, the KMZ archive " + input +
                                    " cannot be used: its KML document doc.kml " + what +
                                    ". Nothing was written.";
        const EmbedResult result = Embed();
        EXPECT_EQ(result.status, EmbedStatus::KmzUnusable);
        EXPECT_EQ(Embed_Result_Message(result, input, output), message);
        EXPECT_EQ(Input_Refusal_Message(Check_Input_File(input), input), message);
#ifndef _WIN32
        EXPECT_EQ(Embed_Result_Message(Embed_From_Pipe(archive, output), input, output), message);
#endif
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"trip.kmz"});
    }
}

}  // namespace
}  // namespace zaveze
