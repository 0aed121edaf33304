// SPDX-License-Identifier: MIT
// zaveze-embed over many files at once, as scripts use it: every operand form, re-runs with
// --no-clobber, dry runs, and jobs that would collide.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/command_run.h"
#include "cli/embed_command.h"
#include "core/engine/embedding_stream.h"
#include "core/messages.h"
#include "core/time_element.h"
#include "support/temp_folder.h"

namespace zaveze::cli {
namespace {

using namespace testing;  // the test support
namespace fs = std::filesystem;

const std::string kElement = Time_Element_Text({TimeMode::TimeSpan, "2007", ""});
const std::string kGood = "<kml>\r\n<Document>\r\n<name>a</name>\r\n</Document>\r\n</kml>\r\n";
const std::string kOther = "<kml>\n<Folder>\n</Folder>\n</kml>\n";
const std::string kTimed = "<kml><Document><TimeStamp/></Document></kml>";
// What the tool puts between a folder and a name it places there.
const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));

// Four inputs: two accepted, one with time data, one missing.
class EmbedBatch : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string in = folder.File("in");
    std::string out = folder.File("out");
    std::string good = folder.File("in/good.kml"), other = folder.File("in/other.kml"),
                timed = folder.File("in/timed.kml"), missing = folder.File("in/missing.kml");
    void SetUp() override {
        fs::create_directory(in);
        fs::create_directory(out);
        Write_File(good, kGood);
        Write_File(other, kOther);
        Write_File(timed, kTimed);
    }
    // The expected report of the four inputs written into `target` (a folder with its separator).
    void Expect_Batch_Result(const CommandRun& run, const std::string& target) {
        EXPECT_EQ(run.status, 3);  // the missing file outranks the refusal
        EXPECT_EQ(run.out, "File " + target +
                               "good_2007_to_Present.kml created.\n"
                               "File " +
                               target + "other_2007_to_Present.kml created.\n");
        EXPECT_EQ(run.err, Said(timed, messages::kTimeDataPresent) +
                               Said(missing, "Sorry, the file " + missing +
                                                 " couldn't be read: No such file or directory"));
        EXPECT_EQ(Read_File(target + "good_2007_to_Present.kml"), Embed_Text(kGood, kElement).text);
        EXPECT_EQ(Read_File(target + "other_2007_to_Present.kml"),
                  Embed_Text(kOther, kElement).text);
        EXPECT_FALSE(fs::exists(target + "timed_2007_to_Present.kml"));
    }
};

TEST_F(EmbedBatch, InputsAndAFolderLast) {
    Expect_Batch_Result(Embed_Command({"--begin", "2007", good, other, timed, missing, out}),
                        out + kSeparator);
}

// Paths as the system writes them (with "\\" on Windows), the folder with or without its last
// separator: each output goes into the folder, and its message names it that way.
TEST_F(EmbedBatch, PathsInTheSystemsOwnSpelling) {
    const std::string input = (fs::path(in) / "good.kml").string();
    const std::string written = (fs::path(out) / "good_2007_to_Present.kml").string();
    for (const std::vector<std::string>& args : {std::vector<std::string>{input, out},
                                                 {input, out + kSeparator},
                                                 {"-t", out + kSeparator, input}}) {
        fs::remove(written);
        std::vector<std::string> command = {"--begin", "2007"};
        command.insert(command.end(), args.begin(), args.end());
        const CommandRun run = Embed_Command(command);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "File " + written + " created.\n");
        EXPECT_EQ(Read_File(written), Embed_Text(kGood, kElement).text);
    }
}

TEST_F(EmbedBatch, TargetDirectoryTakesEveryNameAsInput) {
    Expect_Batch_Result(Embed_Command({"-t", out, "--begin", "2007", good, other, timed, missing}),
                        out + kSeparator);
    EXPECT_EQ(Embed_Command({"--begin", "2007", "--target-directory=" + out, good}).status, 1);
}

TEST_F(EmbedBatch, ARerunRefusesExistingOutputsUnlessSkippedOrForced) {
    ASSERT_EQ(Embed_Command({"-q", "--begin", "2007", good, other, out}).status, 0);
    const std::string first = out + kSeparator + "good_2007_to_Present.kml";
    const std::string second = out + kSeparator + "other_2007_to_Present.kml";
    Write_File(first, "edited by hand");

    const CommandRun refused = Embed_Command({"--begin", "2007", good, other, out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              Said(first, "exists; use --force to replace it, or --no-clobber to skip it") +
                  Said(second, "exists; use --force to replace it, or --no-clobber to skip it"));

    const CommandRun skipped = Embed_Command({"-n", "--begin", "2007", good, other, out});
    EXPECT_EQ(skipped.status, 0);
    EXPECT_EQ(skipped.out, "");
    EXPECT_EQ(skipped.err, Said(first, "exists; skipped") + Said(second, "exists; skipped"));
    EXPECT_EQ(Embed_Command({"-q", "-n", "--begin", "2007", good, other, out}).err, "");
    EXPECT_EQ(Read_File(first), "edited by hand");

    EXPECT_EQ(Embed_Command({"-f", "-q", "--begin", "2007", good, other, out}).status, 0);
    EXPECT_EQ(Read_File(first), Embed_Text(kGood, kElement).text);
}

TEST_F(EmbedBatch, ADryRunShowsWhatAndWhereAndWritesNothing) {
    const CommandRun run =
        Embed_Command({"--dry-run", "--begin", "2007", "--end", "2006", good, other, timed, out});
    EXPECT_EQ(run.status, 1);
    const std::string element = Time_Element_Text({TimeMode::TimeSpan, "2007", "2006"});
    EXPECT_EQ(run.out, "zaveze-embed: " + good + ": would write " + out + kSeparator +
                           "good_2007_to_2006.kml\n" + "after <Document> on line 2:\n" + element +
                           std::string(messages::kBeginAfterEnd) + "\n" + "zaveze-embed: " + other +
                           ": would write " + out + kSeparator + "other_2007_to_2006.kml\n" +
                           "after <Folder> on line 2:\n" + element +
                           std::string(messages::kBeginAfterEnd) + "\n");
    EXPECT_EQ(run.err, Said(timed, messages::kTimeDataPresent));
    EXPECT_TRUE(fs::is_empty(out));
}

// The chosen tag as written, on its line as an editor counts lines, and the element with the
// tag's prefix.
TEST_F(EmbedBatch, ADryRunNamesTheChosenTag) {
    // CR LF, LF, CR, LF, CR, CR LF: six breaks
    Write_File(good, "a\r\nb\nc\rd\n\r<!-- <Placemark> -->\r\n<kml:Document id=\"root_doc\">");
    const CommandRun run = Embed_Command({"--dry-run", "--stamp", "2007", good, out});
    EXPECT_NE(
        run.out.find("after <kml:Document id=\"root_doc\"> on line 7:\n" +
                     With_Tag_Prefix(Time_Element_Text({TimeMode::TimeStamp, "2007", ""}), "kml")),
        std::string::npos)
        << run.out;
}

TEST_F(EmbedBatch, CollidingOutputsAreRefusedBeforeAnythingIsWritten) {
    fs::create_directory(in + "/sub");
    const std::string twin = in + "/sub/good.kml";
    Write_File(twin, kGood);
    const CommandRun run = Embed_Command({"--begin", "2007", good, twin, other, out});
    EXPECT_EQ(run.status, 1);
    const std::string collided = out + kSeparator + "good_2007_to_Present.kml";
    const std::string text = "is the output of more than one input; none of them is written";
    EXPECT_EQ(run.err, Said(collided, text) + Said(collided, text));
    EXPECT_EQ(run.out, "File " + out + kSeparator + "other_2007_to_Present.kml created.\n");
    EXPECT_FALSE(fs::exists(collided));
}

TEST_F(EmbedBatch, AnOutputThatIsAnotherInputIsNotWritten) {
    const std::string made = in + "/good_2007_to_Present.kml";
    Write_File(made, kGood);
    const CommandRun run = Embed_Command({"-f", "--begin", "2007", "-t", in, good, made});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
              Said(in + kSeparator + "good_2007_to_Present.kml",
                   "is also one of the inputs; it is not written"));
    EXPECT_EQ(Read_File(made), kGood);
}

TEST_F(EmbedBatch, NamesThatFitNoFormAreBadUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--begin", "2007", good, other, folder.File("not a folder")},
             {"--begin", "2007", "-t", folder.File("nowhere"), good},
             {"--begin", "2007", "-"},
             {"--begin", "2007", "-", "-", out},
             {"-f", "-n", "--begin", "2007", good}}) {
        const CommandRun run = Embed_Command(args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_empty(out));
}

}  // namespace
}  // namespace zaveze::cli
