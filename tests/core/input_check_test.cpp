// SPDX-License-Identifier: MIT
#include "core/input_check.h"

#include <gtest/gtest.h>

#include "core/engine/container_locator.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

// Time data anywhere, in any prefix, before any tag; a container tag outside skipped markup.
TEST(InputCheck, VerdictOfFileContent) {
    constexpr auto kAccepted = InputVerdict::Accepted, kTimed = InputVerdict::HasTimeData;
    constexpr auto kNoTag = InputVerdict::NoContainerTag;
    // clang-format off
    const std::pair<std::string, InputVerdict> cases[] = {
        {"<kml>\r\n<Document>\r\n</Document></kml>", kAccepted},
        {"<kml>x<Placemark>y</kml>", kAccepted}, {"<Document id=\"a\">", kAccepted},
        {"<GroundOverlay>", kAccepted}, {"<Document> timestamp TIMESPAN", kAccepted},
        {"<Document>\r\n</TimeSpan>", kTimed}, {"<Document><gx:TimeStamp>", kTimed},
        {"<Document><description>TimeStamp</description>", kTimed}, {"TimeSpan", kTimed},
        {"<!-- <Document> --><Folder/><Document id=a>", kNoTag}, {"", kNoTag}};
    // clang-format on
    TempFolder folder;
    const std::string path = folder.File("in.kml");
    for (const auto& [content, verdict] : cases) {
        Write_File(path, content);
        EXPECT_EQ(Check_Input_File(path).verdict, verdict) << content;
    }
}

TEST(InputCheck, FindsWordsAcrossBlockBoundaries) {
    TempFolder folder;
    const std::string path = folder.File("big.kml");
    const std::size_t block = 64 << 10;
    Write_File(path, std::string(block - 5, 'x') + "<ScreenOverlay>" + std::string(100, 'x'));
    EXPECT_EQ(Check_Input_File(path).verdict, InputVerdict::Accepted);
    Write_File(path, "<Folder>" + std::string(2 * block - 12, 'x') + "TimeStamp");
    EXPECT_EQ(Check_Input_File(path).verdict, InputVerdict::HasTimeData);
}

// The check finds a tag longer than a block (the tag as written, its line and prefix are in the
// dry run's test), and takes one longer than the scan holds for none.
TEST(InputCheck, FindsTheChosenTag) {
    TempFolder folder;
    const std::string path = folder.File("in.kml");
    const std::string long_tag = "<Placemark id=\"" + std::string(200000, 'x') + "\">";
    Write_File(path, std::string(70000, ' ') + long_tag);
    const InputCheck check = Check_Input_File(path);
    EXPECT_EQ(check.verdict, InputVerdict::Accepted);
    EXPECT_EQ(check.first_tag, long_tag);
    EXPECT_EQ(check.first_tag_prefix, "");

    // A tag longer than the scan holds is taken for none, unfinished or not: memory stays small.
    const std::string too_long = "<Document id=\"" + std::string(kLongestStartTag, 'x');
    for (const std::string& end : {std::string("\">"), std::string()}) {
        Write_File(path, too_long + end + "<Folder id=\"f\">");
        EXPECT_EQ(Check_Input_File(path).first_tag, "<Folder id=\"f\">");
        Write_File(path, too_long + end);
        EXPECT_EQ(Check_Input_File(path).verdict, InputVerdict::NoContainerTag);
    }
}

}  // namespace
}  // namespace zaveze::testing
