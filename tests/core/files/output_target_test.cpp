// SPDX-License-Identifier: MIT
// What an output path names, and so whether it may be written.

#include "core/files/output_target.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/messages.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

namespace fs = std::filesystem;

class ExamineOutput : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string input = folder.File("trip.kml");
    void SetUp() override { Write_File(input, "<Document>"); }
    OutputTarget Examine(const std::string& output) {
        return Examine_Output(output, Identity_Of(input));
    }
};

// A name is followed through its links to the file that is written: one that is there, one that
// is not there yet (a dangling link counts as existing), or none for a loop of links.
TEST_F(ExamineOutput, NamesAreFollowedToTheFileThatIsWritten) {
    fs::create_directory(folder.File("real"));
    Write_File(folder.File("real/out.kml"), "old");
    fs::create_symlink("real/out.kml", folder.File("first.kml"));
    fs::create_symlink(folder.File("first.kml"), folder.File("second.kml"));
    fs::create_symlink("sub/target.kml", folder.File("dangling.kml"));
    fs::create_symlink("b.kml", folder.File("a.kml"));
    fs::create_symlink("a.kml", folder.File("b.kml"));
    const struct {
        std::string name;
        OutputState state;
        std::string written;
    } cases[] = {
        {"new.kml", OutputState::Free, ""},
        {"real/out.kml", OutputState::ExistingFile, "real/out.kml"},
        {"second.kml", OutputState::ExistingFile, "real/out.kml"},
        {"dangling.kml", OutputState::ExistingFile, "sub/target.kml"},
        {"a.kml", OutputState::NotRegularFile, ""},
    };
    for (const auto& [name, state, written] : cases) {
        const OutputTarget target = Examine(folder.File(name));
        EXPECT_EQ(target.state, state) << name;
        if (!written.empty()) {
            EXPECT_EQ(target.write_path, folder.File(written)) << name;
        }
    }
}

TEST_F(ExamineOutput, TheInputUnderAnotherSpellingOrThroughALink) {
    EXPECT_EQ(Examine(folder.File("./trip.kml")).state, OutputState::SameAsInput);
    fs::create_symlink("trip.kml", folder.File("link.kml"));
    EXPECT_EQ(Examine(folder.File("link.kml")).state, OutputState::SameAsInput);
    fs::create_hard_link(input, folder.File("hard.kml"));
    EXPECT_EQ(Examine(folder.File("hard.kml")).state, OutputState::SameAsInput);
}

TEST_F(ExamineOutput, FoldersFifosAndDevicesAreNoRegularFiles) {
    fs::create_directory(folder.File("dir"));
    ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", folder.File("link to fifo"));

    EXPECT_EQ(Examine(folder.File("dir")).reason, "Is a directory");
    for (const std::string name : {"fifo", "link to fifo"}) {
        const OutputTarget target = Examine(folder.File(name));
        EXPECT_EQ(target.state, OutputState::NotRegularFile) << name;
        EXPECT_EQ(target.reason, messages::kNotRegularFile) << name;
    }
    EXPECT_EQ(Examine("/dev/null").state, OutputState::NotRegularFile);
}

}  // namespace
}  // namespace zaveze::testing
