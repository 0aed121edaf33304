// SPDX-License-Identifier: MIT
#include "core/embed_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#endif

#include "core/embed_to_stream.h"
#include "core/engine/embedding_stream.h"
#include "core/engine/text_encoding.h"
#include "core/files/file_descriptor.h"
#include "core/input_check.h"
#include "core/time_element.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

const std::string kElement = Time_Element_Text({TimeMode::TimeStamp, "2007-10-02", ""});
const std::string kInput = "<kml>\r\n<Document>\r\n</kml>\r\n";

class EmbedFile : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string input = folder.File("trip.kml");
    std::string output = folder.File("trip_2007-10-02.kml");
    void SetUp() override { Write_File(input, kInput); }
};

TEST_F(EmbedFile, InputNamedLikeTheScratchFileIsNotOverwritten) {
    const std::string tmp_input = folder.File("trip.tmp");
    Write_File(tmp_input, kInput);
    ASSERT_EQ(Embed_File(tmp_input, folder.File("trip.kml"), kElement, Replacing::Allowed).status,
              EmbedStatus::Written);
    EXPECT_EQ(Read_File(tmp_input), kInput);
}

// Outputs that cannot be written and inputs that are refused: the reason, and no file of the
// user's is made or changed (an old output stays, even where replacing was allowed).
TEST_F(EmbedFile, FailuresAndRefusalsLeaveEveryFileAsItWas) {
    Write_File(output, "old output");
    const std::string nowhere = folder.File("no such folder/out.kml");
    const std::string subfolder = folder.File("sub.kml");
    std::filesystem::create_directory(subfolder);
    const struct {
        std::string content, output;
        EmbedStatus status;
        std::string message;
    } cases[] = {
        {kInput, nowhere, EmbedStatus::FolderFailed,
         "Sorry, no file could be written in the folder " + folder.File("no such folder") +
             ": No such file or directory"},
        {kInput, subfolder, EmbedStatus::WriteFailed,
         "Sorry, the file " + subfolder + " couldn't be written: Is a directory"},
        {kInput, folder.File("./trip.kml"), EmbedStatus::SameFileAsInput,
         "You can't use the same filename as the input file."},
        {"<kml><!-- <Document> --><Folder/></kml>", output, EmbedStatus::NoContainerTag,
         "Sorry, couldn't find an acceptable \"container\" tag in the file to embed the time "
         "data after."},
    };
    for (const auto& [content, to, status, message] : cases) {
        Write_File(input, content);
        const EmbedResult result = Embed_File(input, to, kElement, Replacing::Allowed);
        EXPECT_EQ(result.status, status) << message;
        EXPECT_EQ(Embed_Result_Message(result, input, to), message);
        EXPECT_EQ(Read_File(input), content);
        EXPECT_EQ(Read_File(output), "old output");
        EXPECT_EQ(folder.Names(),
                  (std::vector<std::string>{"sub.kml", "trip.kml", "trip_2007-10-02.kml"}));
    }
}

// On file systems without links a run claims the output's name with an empty file before its
// finished scratch file is renamed over it; a run stopped in between (by SIGKILL or a power cut)
// leaves both. The next run keeps them, and says what they may be.
TEST_F(EmbedFile, AnEmptyOutputWithAScratchFileBesideItIsExplained) {
    const std::string scratch = folder.File("trip_2007-10-02.tmp");
    Write_File(output, "");
    Write_File(scratch, "the stopped run's output");
    const EmbedResult result = Embed_File(input, output, kElement, Replacing::Never);
    EXPECT_EQ(result.status, EmbedStatus::OutputExists);
    EXPECT_EQ(Embed_Result_Message(result, input, output),
              "Sorry, the file " + output +
                  " already exists; it was left as it is and nothing was written. It is empty, "
                  "and " +
                  scratch +
                  " beside it may be the whole output of an earlier run that was stopped while it "
                  "named it.");
    EXPECT_EQ(Read_File(scratch), "the stopped run's output");
    Write_File(output, "a real output");
    EXPECT_EQ(Embed_File(input, output, kElement, Replacing::Never).reason, "");
}

#ifndef _WIN32  // '"' cannot be part of a Windows file name; WindowsFiles.NonAsciiNames
TEST_F(EmbedFile, PathsWithBlanksQuotesAndNonAsciiLetters) {
    const std::string odd_input = folder.File("my \"old\" trip ĉ'é.kml");
    const std::string odd_output = folder.File("out 'ü' \".kml");
    Write_File(odd_input, kInput);
    ASSERT_EQ(Embed_File(odd_input, odd_output, kElement, Replacing::Never).status,
              EmbedStatus::Written);
    EXPECT_EQ(Read_File(odd_output), Embed_Text(kInput, kElement).text);
}
#endif

TEST_F(EmbedFile, EncodingsItCannotReadAreRefusedByName) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        EmbedStatus status;
        InputVerdict verdict;
        std::string message;
    } cases[] = {
        {"<\0\0\0?\0\0\0"s, EmbedStatus::Utf32, InputVerdict::Utf32,
         "Sorry, the file " + input +
             " is in UTF-32; Zaveze reads KML in UTF-8 or UTF-16. Nothing was written."},
        {"\xFF\xFE<\0F\0>"s, EmbedStatus::CutShortUtf16, InputVerdict::CutShortUtf16,
         "Sorry, the file " + input +
             " is in UTF-16 but has an odd number of bytes, so its last character is cut short. "
             "Nothing was written."},
        {"\xFF\xFE<\0F\0o\0l\0d\0e\0r\0>\0T\0i\0m\0e\0S\0p\0a\0n\0"s, EmbedStatus::HasTimeData,
         InputVerdict::HasTimeData, "This file appears to already have time data embedded in it"},
    };
    for (const auto& [bytes, status, verdict, message] : cases) {
        Write_File(input, bytes);
        const EmbedResult result = Embed_File(input, output, kElement, Replacing::Never);
        EXPECT_EQ(result.status, status) << message;
        EXPECT_EQ(Embed_Result_Message(result, input, output), message);
        EXPECT_EQ(Check_Input_File(input).verdict, verdict) << message;
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"trip.kml"});
    }
}

#ifndef _WIN32  // a stream as the POSIX tool meets it
// To a stream, which cannot take back what it got, each feature's time is known before the
// first byte goes out: a file in which no feature gets one writes nothing there.
TEST_F(EmbedFile, EachFeaturesTimeToAStreamIsKnownBeforeTheFirstByte) {
    FeatureTimes times;
    times.stamp = Read_Time_Source("name");
    for (const auto& [text, status] :
         {std::pair<std::string, EmbedStatus>{"<Placemark><name>1805</name></Placemark>",
                                              EmbedStatus::Written},
          {"<Placemark><name>none</name></Placemark>", EmbedStatus::NoFeatureTimed}}) {
        Write_File(input, text);
        const std::string stream = folder.File("stream.kml");
        std::filesystem::remove(stream);
        {
            const FileDescriptor out(::open(stream.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644));
            EXPECT_EQ(
                Embed_To_Descriptor(input, out.Get(), Embedding::For_Each_Feature(times)).status,
                status);
        }
        EXPECT_EQ(Read_File(stream), status == EmbedStatus::Written
                                         ? "<Placemark><name>1805</name><TimeStamp><when>1805"
                                           "</when></TimeStamp></Placemark>"
                                         : "");
    }
}
#endif

}  // namespace
}  // namespace zaveze::testing
