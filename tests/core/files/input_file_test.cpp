// SPDX-License-Identifier: MIT
// Opening and reading the input once: which kinds of file are inputs, and noticing a file that
// changes while it is read.

#include "core/files/input_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/messages.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

std::string Read_All(InputFile& file) {
    std::string bytes;
    char buffer[4096];
    for (ssize_t count; (count = file.Read(buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

TEST(InputFile, RefusesFoldersDevicesAndMissingFiles) {
    TempFolder folder;
    InputFile file;
    EXPECT_EQ(file.Open(folder.Path().string()), "Is a directory");
    EXPECT_EQ(file.Open("/dev/zero"), messages::kNotRegularFile);
    EXPECT_EQ(file.Open(folder.File("missing.kml")), "No such file or directory");
}

// A file appended to, cut short or rewritten in place (the same size, a new time) while it is
// read is noticed; one left alone is not.
TEST(InputFile, NoticesAChangeWhileItIsRead) {
    TempFolder folder;
    const std::string path = folder.File("in.kml");
    const timespec later[2] = {{0, UTIME_OMIT}, {1, 0}};
    const std::pair<std::function<void()>, bool> changes[] = {
        {[] {}, false},
        {[&] { std::ofstream(path, std::ios::app) << "more"; }, true},
        {[&] { ASSERT_EQ(::truncate(path.c_str(), 4), 0); }, true},
        {[&] { ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), later, 0), 0); }, true},
    };
    for (const auto& [change, noticed] : changes) {
        Write_File(path, "<Document>\r\n");
        InputFile file;
        ASSERT_EQ(file.Open(path), std::nullopt);
        char first[4];
        ASSERT_EQ(file.Read(first, sizeof first), 4);
        change();
        Read_All(file);
        EXPECT_EQ(file.Changed_While_Read(), noticed);
    }
}

}  // namespace
}  // namespace zaveze::testing
