// SPDX-License-Identifier: MIT
#include "datetime/date_search.h"

#include <gtest/gtest.h>

namespace zaveze {
namespace {

// The text, and the date found in it ("" for none).
struct SearchCase {
    std::string_view text, found;
};

const SearchCase kSearchCases[] = {
    {"Battle (1805)", "1805"},
    {"1805-1815 war", "1805"},
    {"IMG_20071002_1545", ""},
    {"Photo 2007-10-02T15:45", "2007-10-02T15:45"},
    {"2007-10-02T15:45:12Z", "2007-10-02T15:45:12Z"},
    {"at 2007-10-02T15:45:12+05:30.", "2007-10-02T15:45:12+05:30"},
    {"2007-10-02T15:45-14:00", "2007-10-02T15:45-14:00"},
    {"2007-10-02T15:45+14:30", "2007-10-02T15:45"},  // no such zone: the time alone
    {"2007-10-02T24:00 or 2008", "2008"},            // "T" follows the date: the search goes on
    {"2007-13-01", "2007"},                          // no month 13: the year, "-" after it
    {"2007-02-29, 2008-02-29", "2008-02-29"},        // the calendar decides
    {"1900-02-29 2000-02-29", "2000-02-29"},
    {"0000 and -0044-03-15", "-0044-03-15"},  // no year 0; BC years with their sign
    {"12345 2007", "2007"},                   // a digit follows the first four
    {"a2007 _2007 2007b 2007", "2007"},
    {"2007-10-02 15:45", "2007-10-02"},
    {"2007-1-02", "2007"},
    {"Année 2007", "2007"},
    {"<![CDATA[", ""},
    {"", ""},
};

TEST(DateSearch, FindsTheFirstDateThatStandsAlone) {
    for (const auto& [text, found] : kSearchCases) {
        const auto date = First_Iso_Date(text);
        EXPECT_EQ(date ? date->text : "", found) << text;
    }
}

// Fed in pieces of every size, the search finds what it finds in the whole text, holding few
// bytes.
TEST(DateSearch, PiecesFindWhatTheWholeFinds) {
    for (const auto& [text, found] : kSearchCases) {
        for (std::size_t piece = 1; piece <= 5; ++piece) {
            DateSearch search;
            for (std::size_t at = 0; at < text.size(); at += piece) {
                search.Feed(text.substr(at, piece));
            }
            const auto& date = search.Finish();
            EXPECT_EQ(date ? date->text : "", found) << text << " in pieces of " << piece;
        }
    }
    DateSearch search;
    search.Feed(std::string(1 << 20, 'x') + " 1851 and more");
    ASSERT_TRUE(search.Finish());
    EXPECT_EQ(search.Finish()->text, "1851");
}

TEST(KmlTimeValue, AddsSecondsAndTheZoneToTimesOnly) {
    const std::optional<std::string> zone = "+05:30";
    const auto value = [&](std::string_view text, const std::optional<std::string>& with) {
        return Kml_Time_Value(*First_Iso_Date(text), with);
    };
    EXPECT_EQ(value("1851", zone), "1851");
    EXPECT_EQ(value("1851-06-02", zone), "1851-06-02");
    EXPECT_EQ(value("2007-10-02T15:45", zone), "2007-10-02T15:45:00+05:30");
    EXPECT_EQ(value("2007-10-02T15:45", std::nullopt), "2007-10-02T15:45:00");
    EXPECT_EQ(value("2007-10-02T15:45Z", zone), "2007-10-02T15:45:00Z");
    EXPECT_EQ(value("2007-10-02T15:45:12-03:00", zone), "2007-10-02T15:45:12-03:00");
}

}  // namespace
}  // namespace zaveze
