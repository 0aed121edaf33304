// SPDX-License-Identifier: MIT
#include "core/engine/time_data_scan.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

// A marker is found wherever the blocks split it, and a near miss is not.
TEST(TimeDataScanner, FindsMarkersSplitAtEveryPlace) {
    for (const std::string text : {"<a>TimeStamp</a>", "x</TimeSpan>", "TimeSpan"}) {
        for (std::size_t first = 0; first <= text.size(); ++first) {
            for (std::size_t second = first; second <= text.size(); ++second) {
                TimeDataScanner scanner;
                scanner.Feed(std::string_view(text).substr(0, first));
                scanner.Feed(std::string_view(text).substr(first, second - first));
                EXPECT_TRUE(scanner.Feed(std::string_view(text).substr(second)))
                    << text << " split at " << first << " and " << second;
            }
        }
    }
}

TEST(TimeDataScanner, NearMissesAndOtherCaseAreNoMarkers) {
    TimeDataScanner scanner;
    for (const std::string_view piece : {"Time", "stamp ", "timestamp", "TimeSp", "ace", "Tim"}) {
        EXPECT_FALSE(scanner.Feed(piece)) << piece;
    }
    EXPECT_TRUE(scanner.Feed("eStamp"));  // "Tim" + "eStamp"
}

}  // namespace
}  // namespace zaveze
