// SPDX-License-Identifier: MIT
#include "core/files/platform/paths.h"

#include <gtest/gtest.h>

namespace zaveze::platform {
namespace {

// A path, its folder part and file name as the system splits it, whether it needs no working
// folder, and how messages show it.
struct PathCase {
    const char *path, *folder, *name;
    bool absolute;
    const char* shown;
};

#ifdef _WIN32
#define SHOWN(posix, windows) windows
#else
#define SHOWN(posix, windows) posix
#endif

const PathCase kPaths[] = {
    {"out.kml", "", "out.kml", false, "out.kml"},
    {" sub/out.kml", " sub/", "out.kml", false, SHOWN(" sub/out.kml", " sub\\out.kml")},
    {"/out.kml", "/", "out.kml", true, SHOWN("/out.kml", "\\out.kml")},
    {"a b/c /out.kml", "a b/c /", "out.kml", false, SHOWN("a b/c /out.kml", "a b\\c \\out.kml")},
    {"../out.kml", "../", "out.kml", false, SHOWN("../out.kml", "..\\out.kml")},
#ifdef _WIN32
    {"C:\\Maps\\out.kml", "C:\\Maps\\", "out.kml", true, "C:\\Maps\\out.kml"},
    {"c:/maps/out.kml", "c:/maps/", "out.kml", true, "c:\\maps\\out.kml"},
    {"C:out.kml", "C:", "out.kml", true, "C:out.kml"},
    {"\\\\server\\share/out.kml", "\\\\server\\share/", "out.kml", true,
     "\\\\server\\share\\out.kml"},
    {"\\out.kml", "\\", "out.kml", true, "\\out.kml"},
    {"dated\\out.kml", "dated\\", "out.kml", false, "dated\\out.kml"},
#else
    {"dated\\out.kml", "", "dated\\out.kml", false, "dated\\out.kml"},  // a "\" is a name's
#endif
};

TEST(Paths, AreSplitAndShownAsTheSystemDoes) {
    for (const auto& [path, folder, name, absolute, shown] : kPaths) {
        EXPECT_EQ(Folder_Of(path), folder) << path;
        EXPECT_EQ(File_Name_Of(path), name) << path;
        EXPECT_EQ(Is_Absolute_Path(path), absolute) << path;
        EXPECT_EQ(Shown_Path(path), shown) << path;
    }
}

}  // namespace
}  // namespace zaveze::platform
