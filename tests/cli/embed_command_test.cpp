// SPDX-License-Identifier: MIT
#include "cli/embed_command.h"
#include "cli/command_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/messages.h"
#include "support/temp_folder.h"

namespace zaveze::cli {
namespace {

using namespace testing;  // the test support

class EmbedCommand : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string input = folder.File("trip.kml");
    void SetUp() override { Write_File(input, "<kml>\n<Document>\n</kml>\n"); }
    std::string Element_Of(const std::string& output) {
        const std::string text = Read_File(output);
        const auto start = text.find("<Document>\r\n") + 12;
        return text.substr(start, text.find("\r\n\r\n", start) + 4 - start);
    }
};

// The options' dates and times as they reach the element: negative years in both option forms,
// a time and a zone, the end's own time, and a zone alone covering whole local days. (Which
// dates take a time is the date rules' to say, tested with them.)
TEST_F(EmbedCommand, DatesTimesAndZonesReachTheElement) {
    const struct {
        std::vector<std::string> options;
        std::string element;
    } cases[] = {
        {{"--stamp=-44-03-15"}, "<TimeStamp>\n\r\n<when>-0044-03-15</when>\n\r\n</TimeStamp>"},
        {{"--begin", "-44"}, "<TimeSpan>\n\r\n<begin>-0044</begin>\n\r\n</TimeSpan>"},
        {{"--stamp", "2007-10-02", "--time", "09:30:00", "--zone", "+05:30"},
         "<TimeStamp>\n\r\n<when>2007-10-02T09:30:00+05:30</when>\n\r\n</TimeStamp>"},
        {{"--begin", "2007-10-02", "--end", "2007-10-03", "--end-time", "12:00:00"},
         "<TimeSpan>\n\r\n<begin>2007-10-02T00:00:00+00:00</begin>\n\r\n"
         "<end>2007-10-03T12:00:00+00:00</end>\n\r\n</TimeSpan>"},
        {{"--begin", "2007-10-02", "--end", "2008", "--zone=+02"},
         "<TimeSpan>\n\r\n<begin>2007-10-02T00:00:00+02:00</begin>\n\r\n<end>2008</end>\n\r\n"
         "</TimeSpan>"},
    };
    const std::string output = folder.File("out.kml");
    for (const auto& [options, element] : cases) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--force", input, output});
        ASSERT_EQ(Embed_Command(args).status, kWritten) << element;
        EXPECT_EQ(Element_Of(output), element + "\r\n\r\n");
    }
}

// Refused jobs say why, with the status of their kind, and write nothing: the input as its own
// output, an input with time data, a missing input, no date.
TEST_F(EmbedCommand, RefusalsComeWithTheirReason) {
    const std::string missing = folder.File("missing.kml");
    const struct {
        std::string content;
        std::vector<std::string> args;
        int status;
        std::string said;
    } cases[] = {
        {"<Document>",
         {"--force", "--stamp", "2007", input, input},
         kRefused,
         Said(input, messages::kSameAsInput)},
        {"<Document><TimeStamp>",
         {"--stamp", "2007", input},
         kRefused,
         Said(input, messages::kTimeDataPresent)},
        {"<Document>",
         {"--stamp", "2007", missing},
         kFileFailure,
         Said(missing,
              "Sorry, the file " + missing + " couldn't be read: No such file or directory")},
        {"<Document>", {input}, kRefused, Said(input, messages::kNoTimeSpanYet)},
    };
    for (const auto& [content, args, status, said] : cases) {
        Write_File(input, content);
        const CommandRun run = Embed_Command(args);
        EXPECT_EQ(run.status, status) << said;
        EXPECT_EQ(run.err, said);
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"trip.kml"}));
    }
}

// Bad usage shows the usage and writes nothing; an option that cannot be read is named first.
TEST_F(EmbedCommand, BadUsageShowsTheUsage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, ""},
        {{"--stamp", "2007", "--begin", "2007", input}, ""},
        {{"--stamp", "2007", "--end-time", "10:00:00", input}, ""},
        {{"--stamp", "2007-02-29", input}, ""},  // which dates, times and zones are refused is
        {{"--stamp", "0", input}, ""},           // their rules' to say, tested with them
        {{"--begin", "2007", "--time", "25:00:00", input}, ""},
        {{"--begin", "2007", "--zone", "+05:15", input}, ""},
        {{"--begin", "2007", input, "a.kml", "b.kml"}, ""},
        {{"--begin"}, ""},
        {{"--begin", "2007", input, ""}, ""},
        {{"--begin", "2007", ""}, ""},
        {{"--bogus", input}, "unknown option '--bogus'"},
        {{"--bogus=1", input}, "unknown option '--bogus'"},
        {{"-x", input}, "unknown option '-x'"},
        {{"--en", "2007", input}, "ambiguous option '--en'"},
        {{input, "--begin"}, "option '--begin' needs a value"},
        {{"--force=yes", input}, "option '--force' takes no value"},
    };
    for (const auto& [args, first_line] : cases) {
        const CommandRun run = Embed_Command(args);
        EXPECT_EQ(run.status, kBadUsage) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("Usage: zaveze-embed"), std::string::npos);
        if (!first_line.empty()) {
            EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "zaveze-embed: " + first_line);
        }
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"trip.kml"}));
}

#ifndef _WIN32  // FIFOs, symbolic links and devices
TEST_F(EmbedCommand, AnOutputThatIsNoRegularFileIsRefusedEvenWithForce) {
    const std::string fifo = folder.File("fifo.kml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const bool force : {false, true}) {
        std::vector<std::string> args{"--begin", "2007", input, fifo};
        if (force) {
            args.insert(args.begin(), "--force");
        }
        const CommandRun run = Embed_Command(args);
        EXPECT_EQ(run.status, kFileFailure);
        EXPECT_EQ(run.err, Said(fifo, "Sorry, the file " + fifo +
                                          " couldn't be written: it is not a regular file"));
        EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    }
}

TEST_F(EmbedCommand, ARefusedInputComesBeforeAnExistingOutputEvenFromAFifo) {
    const std::string fifo = folder.File("fifo.kml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string output = folder.File("out.kml");
    Write_File(output, "old");
    std::thread feeder([&] { Write_File(fifo, "<Document><TimeStamp>"); });
    const CommandRun run = Embed_Command({"--begin", "2007", fifo, output});
    feeder.join();
    EXPECT_EQ(run.status, kRefused);
    EXPECT_EQ(run.err, Said(fifo, messages::kTimeDataPresent));
    EXPECT_EQ(Read_File(output), "old");
}

#endif

// (--help is read by the manual page's test, which compares their options.)
TEST_F(EmbedCommand, Version) {
    const CommandRun version = Embed_Command({"--version"});
    EXPECT_EQ(version.status, kWritten);
    EXPECT_EQ(version.out, "zaveze-embed " ZAVEZE_VERSION "\n");
}

}  // namespace
}  // namespace zaveze::cli
