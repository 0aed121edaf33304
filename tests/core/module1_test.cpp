// SPDX-License-Identifier: MIT
#include "core/module1.h"

#include <gtest/gtest.h>

namespace {

// The folder, and the base name up to the first dot; blanks around the path are ignored. Where
// the folder part ends on each system is the paths' own rule, tested with them.
TEST(PathSplitting, GivesFolderAndBaseName) {
    const struct {
        std::string path, folder, base_name;
    } cases[] = {
        {"/maps/trip.kml", "/maps/", "trip"},
        {"/maps/trip.final.kml", "/maps/", "trip"},
        {"/maps/trip", "/maps/", "trip"},
        {"/my.maps/trip.kml", "/my.maps/", "trip"},
        {"trip.kml", "", "trip"},
        {"/maps/", "/maps/", ""},
        {"/maps/.hidden.kml", "/maps/", ""},
        {"", "", ""},
        {"  /maps/trip.kml  ", "/maps/", "trip"},
        {"   ", "", "   "},
        {"/my maps/ünï cödé.kml", "/my maps/", "ünï cödé"},
    };
    for (const auto& [path, folder, base_name] : cases) {
        EXPECT_EQ(Module1::Get_Folder(path), folder) << path;
        EXPECT_EQ(Module1::Get_Base_Name(path), base_name) << path;
    }
}

}  // namespace
