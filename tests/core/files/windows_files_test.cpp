// SPDX-License-Identifier: MIT
// What only Windows shows: replacing an existing output, one file under several spellings, a
// folder as input, non-ASCII names, read-only and held outputs.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/command_run.h"
#include "core/embed_file.h"
#include "core/engine/embedding_stream.h"
#include "core/files/platform/file_system.h"
#include "core/time_element.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

using cli::CommandRun;

const std::string kElement = Time_Element_Text({TimeMode::TimeSpan, "2007", ""});
const std::string kKml = "<kml>\r\n<Document>\r\n</kml>\r\n";

class WindowsFiles : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string input = folder.File("trip.kml");
    std::string output = folder.File("out.kml");
    void SetUp() override { Write_File(input, kKml); }
};

TEST_F(WindowsFiles, AnExistingOutputIsReplacedOnlyWithConsent) {
    Write_File(output, "old");
    EXPECT_EQ(Embed_File(input, output, kElement, Replacing::Never).status,
              EmbedStatus::OutputExists);
    EXPECT_EQ(Read_File(output), "old");
    ASSERT_EQ(Embed_File(input, output, kElement, Replacing::Allowed).status, EmbedStatus::Written);
    EXPECT_EQ(Read_File(output), Embed_Text(kKml, kElement).text);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"out.kml", "trip.kml"}));
}

TEST_F(WindowsFiles, TheInputUnderAnotherSpellingIsTheInput) {
    std::string upper = input;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::string backslashes = input;
    std::replace(backslashes.begin(), backslashes.end(), '/', '\\');
    wchar_t short_name[MAX_PATH];
    const std::wstring wide = std::filesystem::path(input).wstring();
    ::GetShortPathNameW(wide.c_str(), short_name, MAX_PATH);
    for (const std::string& spelling :
         {upper, backslashes, std::filesystem::path(short_name).string()}) {
        EXPECT_EQ(Embed_File(input, spelling, kElement, Replacing::Allowed).status,
                  EmbedStatus::SameFileAsInput)
            << spelling;
    }
    EXPECT_EQ(Read_File(input), kKml);
}

TEST_F(WindowsFiles, AFolderIsNoInput) {
    const EmbedResult result =
        Embed_File(folder.Path().string(), output, kElement, Replacing::Never);
    EXPECT_EQ(result.status, EmbedStatus::ReadFailed);
    EXPECT_EQ(result.reason, "Is a directory");
}

TEST_F(WindowsFiles, NonAsciiNames) {
    const std::string moscow = folder.File("\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.kml");
    const std::string tokyo = folder.File("\xE6\x9D\xB1\xE4\xBA\xAC.kml");
    std::filesystem::copy_file(std::filesystem::u8path(input), std::filesystem::u8path(moscow));
    ASSERT_EQ(Embed_File(moscow, tokyo, kElement, Replacing::Never).status, EmbedStatus::Written);
    std::ifstream written(std::filesystem::u8path(tokyo), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)), {});
    EXPECT_EQ(bytes, Embed_Text(kKml, kElement).text);
}

TEST_F(WindowsFiles, AReadOnlyOutputIsKeptAndReported) {
    Write_File(output, "old");
    ::SetFileAttributesW(std::filesystem::path(output).wstring().c_str(), FILE_ATTRIBUTE_READONLY);
    const EmbedResult result = Embed_File(input, output, kElement, Replacing::Allowed);
    EXPECT_EQ(result.status, EmbedStatus::WriteFailed);
    ::SetFileAttributesW(std::filesystem::path(output).wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read_File(output), "old");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"out.kml", "trip.kml"}));
}

TEST_F(WindowsFiles, AnOutputHeldOpenByAnotherProgramIsKept) {
    Write_File(output, "old");
    // Another program that lets others read, but not delete or replace, the file.
    const HANDLE held = ::CreateFileW(std::filesystem::path(output).wstring().c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const EmbedResult result = Embed_File(input, output, kElement, Replacing::Allowed);
    ::CloseHandle(held);
    EXPECT_EQ(result.status, EmbedStatus::WriteFailed);
    EXPECT_EQ(Read_File(output), "old");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"out.kml", "trip.kml"}));
}

// cmd leaves "*" and "?" to the program: zaveze-embed expands them as Windows programs do, and
// says so when a pattern matches nothing.
TEST_F(WindowsFiles, TheCommandLineExpandsWildcards) {
    Write_File(folder.File("b.kml"), kKml);
    Write_File(folder.File("notes.txt"), "");
    const std::string pattern = folder.File("*.kml");
    const std::string base = pattern.substr(0, pattern.size() - 5);
    EXPECT_EQ(platform::Names_Matching(pattern),
              (std::vector<std::string>{base + "b.kml", base + "trip.kml"}));
    EXPECT_EQ(platform::Names_Matching(folder.File("note?.txt")),
              std::vector<std::string>{base + "notes.txt"});
    EXPECT_TRUE(platform::Names_Matching(folder.File("*.kmz")).empty());
    std::filesystem::create_directory(folder.File("dated"));
    CommandRun run = cli::Embed_Command({"-n", "--begin", "2007", pattern, folder.File("dated")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder.File("dated\\b_2007_to_Present.kml")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("dated\\trip_2007_to_Present.kml")));
    run = cli::Embed_Command({"--begin", "2007", folder.File("*.kmz"), folder.File("dated")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
              "zaveze-embed: no file matches " + folder.File("*.kmz"));
}

}  // namespace
}  // namespace zaveze::testing
