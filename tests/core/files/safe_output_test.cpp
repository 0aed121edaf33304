// SPDX-License-Identifier: MIT
// The new output file appears whole or not at all, and replaces a file only as the user agreed,
// keeping what made that file theirs. (A name taken while the output is written: the race tests.)

#include "core/files/safe_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/embed_file.h"
#include "support/file_system_limits.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

namespace fs = std::filesystem;

// Every test runs on every kind of file system.
class SafeOutputTest : public ::testing::TestWithParam<FileSystemLimits> {
  protected:
    TempFolder folder;
    std::string path = folder.File("out.kml");
    LimitedNaming naming{GetParam()};

    std::optional<WriteFailure> Write(const std::string& where, std::string_view bytes,
                                      Replacing replacing) {
        SafeOutput output(naming);
        if (auto failure = output.Create(where)) {
            return failure;
        }
        EXPECT_TRUE(Write_All(output.Fd(), bytes));
        return output.Commit(replacing);
    }
};

INSTANTIATE_TEST_SUITE_P(EveryFileSystem, SafeOutputTest, ::testing::ValuesIn(kEveryFileSystem),
                         [](const auto& limits) { return Name_Of(limits.param); });

TEST_P(SafeOutputTest, NothingHasTheNameUntilTheCommit) {
    {
        SafeOutput output(naming);
        ASSERT_EQ(output.Create(path), std::nullopt);
        ASSERT_TRUE(Write_All(output.Fd(), "half"));
        EXPECT_FALSE(fs::exists(path));
    }  // dropped without a commit
    EXPECT_TRUE(folder.Names().empty());
    ASSERT_EQ(Write(path, "whole", Replacing::Never), std::nullopt);
    EXPECT_EQ(Read_File(path), "whole");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.kml"});
}

TEST_P(SafeOutputTest, ReplacingKeepsPermissionsOwnerAndGroup) {
    Write_File(path, "old");
    fs::permissions(path, fs::perms(0640));
    const bool privileged = ::geteuid() == 0;
    if (privileged) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    }
    ASSERT_EQ(Write(path, "new", Replacing::Allowed), std::nullopt);
    EXPECT_EQ(Read_File(path), "new");
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (privileged) {
        EXPECT_EQ(status.st_uid, 1234u);
        EXPECT_EQ(status.st_gid, 5678u);
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.kml"});
}

// A new output gets its input's permission bits less the umask, as cp gives a copy.
TEST_P(SafeOutputTest, ANewFileGetsTheInputsPermissionsLessTheUmask) {
    const std::string input = folder.File("in.kml");
    Write_File(input, "<Document>");
    const mode_t umask_before = ::umask(027);
    for (const mode_t mode : {0600u, 0664u, 0444u}) {
        fs::remove(path);
        fs::permissions(input, fs::perms(mode));
        ASSERT_EQ(Embed_File(input, path, "<when/>", Replacing::Never, nullptr, naming).status,
                  EmbedStatus::Written);
        struct stat status {};
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode & ~027u) << std::oct << mode;
    }
    ::umask(umask_before);
}

TEST_P(SafeOutputTest, AHardLinkedFileIsReplacedUnderItsNameOnly) {
    Write_File(path, "old");
    fs::create_hard_link(path, folder.File("other name.kml"));
    ASSERT_EQ(Write(path, "new", Replacing::Allowed), std::nullopt);
    EXPECT_EQ(Read_File(path), "new");
    EXPECT_EQ(Read_File(folder.File("other name.kml")), "old");
}

TEST_P(SafeOutputTest, AUsersTmpFileBesideTheOutputIsNeverTouched) {
    Write_File(folder.File("out.tmp"), "the user's");
    Write_File(path, "old");
    ASSERT_EQ(Write(path, "new", Replacing::Allowed), std::nullopt);
    EXPECT_EQ(Read_File(folder.File("out.tmp")), "the user's");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"out.kml", "out.tmp"}));
}

TEST_P(SafeOutputTest, AFolderNameStartingWithABlankIsUsedAsGiven) {
    fs::create_directory(folder.File(" sub"));
    fs::create_directory(folder.File("sub"));
    const fs::path previous = fs::current_path();
    fs::current_path(folder.Path());
    const auto failure = Write(" sub/out.kml", "x", Replacing::Never);
    fs::current_path(previous);
    ASSERT_EQ(failure, std::nullopt);
    EXPECT_EQ(Read_File(folder.File(" sub/out.kml")), "x");
    EXPECT_TRUE(fs::is_empty(folder.File("sub")));
}

TEST_P(SafeOutputTest, ANameTooLongForTheScratchSuffixStillWorks) {
    const std::string longest = folder.File(std::string(255, 'n'));
    ASSERT_EQ(Write(longest, "x", Replacing::Never), std::nullopt);
    Write_File(longest, "old");
    ASSERT_EQ(Write(longest, "y", Replacing::Allowed), std::nullopt);
    EXPECT_EQ(Read_File(longest), "y");
    EXPECT_EQ(folder.Names().size(), 1u);
}

}  // namespace
}  // namespace zaveze::testing
