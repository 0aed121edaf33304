// SPDX-License-Identifier: MIT
#include "core/time_element.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zaveze
