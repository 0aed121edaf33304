// SPDX-License-Identifier: MIT
#include "core/module1.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    std::string path, folder, base_name;
};

class PathSplitting : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathSplitting, GivesFolderAndBaseName) {
    const PathCase& c = GetParam();
    EXPECT_EQ(Module1::Get_Folder(c.path), c.folder);
    EXPECT_EQ(Module1::Get_Base_Name(c.path), c.base_name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathSplitting,
    ::testing::Values(PathCase{"/maps/trip.kml", "/maps/", "trip"},
                      PathCase{"/maps/trip.final.kml", "/maps/", "trip"},
                      PathCase{"/maps/trip", "/maps/", "trip"},
                      PathCase{"/my.maps/trip.kml", "/my.maps/", "trip"},
                      PathCase{"trip.kml", "", "trip"}, PathCase{"/maps/", "/maps/", ""},
                      PathCase{"/maps/.hidden.kml", "/maps/", ""}, PathCase{"", "", ""},
                      PathCase{"  /maps/trip.kml  ", "/maps/", "trip"}, PathCase{"   ", "", "   "},
                      PathCase{"/my maps/ünï cödé.kml", "/my maps/", "ünï cödé"}));

#ifdef _WIN32
// Windows paths: both separators, drive letters and UNC shares.
INSTANTIATE_TEST_SUITE_P(
    Windows, PathSplitting,
    ::testing::Values(PathCase{"C:\\maps\\trip.kml", "C:\\maps\\", "trip"},
                      PathCase{"C:/maps/trip.kml", "C:/maps/", "trip"},
                      PathCase{"C:\\maps/sub\\trip.x.kml", "C:\\maps/sub\\", "trip"},
                      PathCase{"\\\\server\\share\\trip.kml", "\\\\server\\share\\", "trip"},
                      PathCase{"//server/share/trip.kml", "//server/share/", "trip"},
                      PathCase{"D:trip.kml", "D:", "trip"}));
#endif

// Each line: what Clean_Line returns, and the collapsed form it leaves in the caller's variable.
TEST(CleanLine, CollapsesTrimsAndHandsBackTheUntrimmedForm) {
    const struct {
        std::string line, result, left;
    } cases[] = {
        {"\t  <Document> \t ", "<Document>", " <Document> "},
        {"a\r\nb\nc\rd", "a b c\rd", "a b c\rd"},  // a lone CR stays
        {std::string(17, ' ') + "x" + std::string(9, '\t') + "y", "x y", " x y"},
        {" \t \t", "", " "},
    };
    for (auto [line, result, left] : cases) {
        EXPECT_EQ(Module1::Clean_Line(line), result);
        EXPECT_EQ(line, left);
    }
}

}  // namespace
