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

}  // namespace
