// SPDX-License-Identifier: MIT
// What an output path names, and so whether it may be written.

#include "core/files/output_target.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

#include "core/messages.h"
#include "support/temp_folder.h"

namespace zaveze {
namespace {

using testing::TempFolder;
using testing::Write_File;
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

TEST_F(ExamineOutput, AFreeNameAndAnExistingFile) {
    EXPECT_EQ(Examine(folder.File("new.kml")).state, OutputState::Free);
    Write_File(folder.File("old.kml"), "old");
    const OutputTarget existing = Examine(folder.File("old.kml"));
    EXPECT_EQ(existing.state, OutputState::ExistingFile);
    EXPECT_EQ(existing.write_path, folder.File("old.kml"));
}

TEST_F(ExamineOutput, TheInputUnderAnotherSpellingOrThroughALink) {
    EXPECT_EQ(Examine(folder.File("./trip.kml")).state, OutputState::SameAsInput);
    fs::create_symlink("trip.kml", folder.File("link.kml"));
    EXPECT_EQ(Examine(folder.File("link.kml")).state, OutputState::SameAsInput);
    fs::create_hard_link(input, folder.File("hard.kml"));
    EXPECT_EQ(Examine(folder.File("hard.kml")).state, OutputState::SameAsInput);
}

TEST_F(ExamineOutput, FoldersFifosSocketsAndDevicesAreNoRegularFiles) {
    fs::create_directory(folder.File("dir"));
    ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socket_path = folder.File("sock");
    ASSERT_LT(socket_path.size(), sizeof address.sun_path);
    socket_path.copy(address.sun_path, socket_path.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink("fifo", folder.File("link to fifo"));

    EXPECT_EQ(Examine(folder.File("dir")).reason, "Is a directory");
    for (const std::string name : {"fifo", "sock", "link to fifo"}) {
        const OutputTarget target = Examine(folder.File(name));
        EXPECT_EQ(target.state, OutputState::NotRegularFile) << name;
        EXPECT_EQ(target.reason, messages::kNotRegularFile) << name;
    }
    EXPECT_EQ(Examine("/dev/null").state, OutputState::NotRegularFile);
    ::close(listener);
}

TEST_F(ExamineOutput, ADanglingLinkCountsAsExistingAndLeadsToItsTarget) {
    fs::create_symlink("sub/target.kml", folder.File("dangling.kml"));
    const OutputTarget target = Examine(folder.File("dangling.kml"));
    EXPECT_EQ(target.state, OutputState::ExistingFile);
    EXPECT_EQ(target.write_path, folder.File("sub/target.kml"));
}

TEST_F(ExamineOutput, LinksAreFollowedToTheFileThatIsReplaced) {
    fs::create_directory(folder.File("real"));
    Write_File(folder.File("real/out.kml"), "old");
    fs::create_symlink("real/out.kml", folder.File("first.kml"));
    fs::create_symlink(folder.File("first.kml"), folder.File("second.kml"));
    const OutputTarget target = Examine(folder.File("second.kml"));
    EXPECT_EQ(target.state, OutputState::ExistingFile);
    EXPECT_EQ(target.write_path, folder.File("real/out.kml"));
}

TEST_F(ExamineOutput, ALinkLoopIsRefused) {
    fs::create_symlink("b.kml", folder.File("a.kml"));
    fs::create_symlink("a.kml", folder.File("b.kml"));
    EXPECT_EQ(Examine(folder.File("a.kml")).state, OutputState::NotRegularFile);
}

}  // namespace
}  // namespace zaveze
