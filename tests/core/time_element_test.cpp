// SPDX-License-Identifier: MIT
#include "core/time_element.h"

#include <gtest/gtest.h>

#include "core/messages.h"

namespace zaveze {
namespace {

// Each element's bytes, with a side left out where it has no date; a TimeStamp has no end.
TEST(TimeElementText, HasTheExactBytesOfEachMode) {
    const std::pair<TimeElement, std::string> cases[] = {
        {{TimeMode::TimeSpan, "2007", "2008"},
         "<TimeSpan>\n\r\n<begin>2007</begin>\n\r\n<end>2008</end>\n\r\n</TimeSpan>\r\n\r\n"},
        {{TimeMode::TimeSpan, "", "2008"},
         "<TimeSpan>\n\r\n<end>2008</end>\n\r\n</TimeSpan>\r\n\r\n"},
        {{TimeMode::TimeSpan, "2007", ""},
         "<TimeSpan>\n\r\n<begin>2007</begin>\n\r\n</TimeSpan>\r\n\r\n"},
        {{TimeMode::TimeStamp, "2007-10-02", "ignored"},
         "<TimeStamp>\n\r\n<when>2007-10-02</when>\n\r\n</TimeStamp>\r\n\r\n"},
    };
    for (const auto& [element, text] : cases) {
        EXPECT_EQ(Time_Element_Text(element), text);
    }
}

TEST(ElementRefusal, RefusesElementsWithoutTheirDates) {
    EXPECT_EQ(Element_Refusal({TimeMode::TimeStamp, "", "2008"}), messages::kNoTimeStampYet);
    EXPECT_EQ(Element_Refusal({TimeMode::TimeSpan, "", ""}), messages::kNoTimeSpanYet);
    EXPECT_FALSE(Element_Refusal({TimeMode::TimeSpan, "", "2008"}));
    EXPECT_FALSE(Element_Refusal({TimeMode::TimeStamp, "2007", ""}));
}

TEST(MakeTimeElement, JoinsTimesOnlyToFullDates) {
    TimeSettings zone_only;
    zone_only.local_zone = true;
    zone_only.zone = "-05";
    const TimeElement element =
        Make_Time_Element(TimeMode::TimeSpan, "2007-10-02", "2008", zone_only);
    EXPECT_EQ(element.begin, "2007-10-02T00:00:00-05:00");
    EXPECT_EQ(element.end, "2008");
}

}  // namespace
}  // namespace zaveze
