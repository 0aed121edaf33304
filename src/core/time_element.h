// SPDX-License-Identifier: MIT
#pragma once
// The TimeSpan or TimeStamp element placed after the first container tag.

#include <optional>
#include <string>
#include <string_view>

#include "datetime/time_mode.h"
#include "datetime/time_texts.h"

namespace zaveze {

// Dates as they go into the element, times already joined: "2007-10-02T15:45:12-05:00".
struct TimeElement {
    TimeMode mode = TimeMode::TimeSpan;
    std::string begin;  // the TimeSpan's begin, or the TimeStamp's when
    std::string end;    // the TimeSpan's end; unused for a TimeStamp
};

// Joins the date texts with the time settings into the element's values.
TimeElement Make_Time_Element(TimeMode mode, const std::string& begin_date,
                              const std::string& end_date, const TimeSettings& settings);

// Why an element cannot be written (a TimeStamp without its date, a TimeSpan with neither side);
// no value when it can.
std::optional<std::string_view> Element_Refusal(const TimeElement& element);

// The element's bytes. Each line carries the line break it is written with in the output:
// "<TimeSpan>" LF CR LF, "<begin>...</begin>" LF CR LF, ..., "</TimeSpan>" CR LF CR LF.
std::string Time_Element_Text(const TimeElement& element);

// The element on one line, for the layouts that keep every other byte:
// "<TimeSpan><begin>...</begin><end>...</end></TimeSpan>",
// "<TimeStamp><when>...</when></TimeStamp>".
std::string One_Line_Time_Element(const TimeElement& element);

// The element's bytes for a container tag with a namespace prefix ("kml" for <kml:Document>):
// every tag of the element carries the same prefix (<kml:TimeSpan>, <kml:begin>, ...).
std::string With_Tag_Prefix(std::string_view element_text, std::string_view prefix);

}  // namespace zaveze
