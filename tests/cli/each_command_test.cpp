// SPDX-License-Identifier: MIT
// zaveze-embed --each and --keep-layout as a user runs them: the options, the report of each
// output, the dry run's list, and a file in which no feature gets a time.

#include <gtest/gtest.h>

#include "cli/command_run.h"
#include "support/temp_folder.h"

namespace zaveze::cli {
namespace {

using namespace testing;  // the test support

const std::string kBattles =
    "<kml>\n<Document>\n  <name>Battles</name>\n"
    "  <Placemark>\n    <name>Austerlitz</name>\n    <ExtendedData><Data name=\"year\">"
    "<value>1805-12-02</value></Data></ExtendedData>\n  </Placemark>\n"
    "  <Placemark>\n    <name>Jena</name>\n    <TimeStamp><when>1806</when></TimeStamp>\n"
    "  </Placemark>\n"
    "  <Placemark>\n    <name>Unknown</name>\n    <ExtendedData><Data name=\"year\">"
    "<value>n/a</value></Data></ExtendedData>\n  </Placemark>\n</Document>\n</kml>\n";

class EachCommand : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string input = folder.File("battles.kml");
    void SetUp() override { Write_File(input, kBattles); }
};

TEST_F(EachCommand, OptionsThatDoNotFitAreBadUsage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--each", input}, "--each needs --stamp-from SOURCE, or --begin-from and --end-from"},
        {{"--stamp-from", "name", input},
         "--stamp-from, --begin-from and --end-from go with --each"},
        {{"--each", "--stamp-from", "name", "--begin", "2007", input},
         "--each takes each feature's dates from its own data: it goes without --stamp, --begin, "
         "--end, --time and --end-time"},
        {{"--each", "--stamp-from", "name", "--end-from", "name", input},
         "--stamp-from cannot be combined with --begin-from or --end-from"},
        {{"--each", "--stamp-from", "year", input},
         "--stamp-from: 'year' is no source; use data:NAME (an ExtendedData field), name or "
         "description"},
        {{"--each", "--begin-from", "data:", input},
         "--begin-from: 'data:' is no source; use data:NAME (an ExtendedData field), name or "
         "description"},
    };
    for (const auto& [args, text] : cases) {
        const CommandRun run = Embed_Command(args);
        EXPECT_EQ(run.status, kBadUsage);
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "zaveze-embed: " + text);
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"battles.kml"});
}

TEST_F(EachCommand, EachOutputIsReportedWithItsCountsAndNamedTimed) {
    const std::string output = folder.File("battles_timed.kml");
    CommandRun run = Embed_Command({"--each", "--stamp-from", "data:year", input});
    EXPECT_EQ(run.status, kWritten);
    EXPECT_EQ(run.out, "File " + output +
                           " created: 1 feature timed, 1 already timed, 1 without a date "
                           "(line 12).\n");
    std::string expected = kBattles;
    expected.insert(expected.find("    <ExtendedData>"),
                    "    <TimeStamp><when>1805-12-02</when></TimeStamp>\n");
    EXPECT_EQ(Read_File(output), expected);
    run = Embed_Command({"--each", "--stamp-from", "data:year", "-n", input});
    EXPECT_EQ(run.status, kWritten);
    EXPECT_EQ(run.err, Said(output, "exists; skipped"));
    EXPECT_EQ(Embed_Command({"-q", "-f", "--each", "--stamp-from", "data:year", input}).out, "");
}

TEST_F(EachCommand, ADryRunListsEachFeatureAndWritesNothing) {
    const CommandRun run = Embed_Command(
        {"--dry-run", "--each", "--begin-from", "data:year", "--end-from", "name", input});
    EXPECT_EQ(run.status, kWritten);
    EXPECT_EQ(run.out, "zaveze-embed: " + input + ": would write " +
                           folder.File("battles_timed.kml") +
                           "\n"
                           "line 2, Document: no date, left alone\n"
                           "line 4, Placemark: from 1805-12-02 -> <TimeSpan><begin>1805-12-02"
                           "</begin></TimeSpan>\n"
                           "line 8, Placemark: already timed, left alone\n"
                           "line 12, Placemark: no date, left alone\n"
                           "1 feature timed, 1 already timed, 2 without a date (lines 2, 12)\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"battles.kml"});
}

TEST_F(EachCommand, AFileInWhichNoFeatureGetsATimeIsRefused) {
    const CommandRun run = Embed_Command({"--each", "--stamp-from", "description", input});
    EXPECT_EQ(run.status, kRefused);
    EXPECT_EQ(run.err, Said(input, "Sorry, no feature of the file " + input +
                                       " got a time of its own: 0 features timed, 1 already "
                                       "timed, 0 without a date. Nothing was written."));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"battles.kml"});
}

TEST_F(EachCommand, KeepLayoutChangesNothingButTheElement) {
    const std::string untimed = folder.File("untimed.kml");
    Write_File(untimed, "<kml>\n<Document>\n  <name>x</name>\n  <Folder/>\n</Document>\n</kml>\n");
    EXPECT_EQ(Embed_Command({"--keep-layout", "--begin", "2007", untimed}).status, kWritten);
    EXPECT_EQ(Read_File(folder.File("untimed_2007_to_Present.kml")),
              "<kml>\n<Document>\n  <name>x</name>\n  <TimeSpan><begin>2007</begin></TimeSpan>\n"
              "  <Folder/>\n</Document>\n</kml>\n");
}

}  // namespace
}  // namespace zaveze::cli
