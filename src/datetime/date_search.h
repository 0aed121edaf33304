// SPDX-License-Identifier: MIT
#pragma once
// Finds the first ISO 8601 date in a text, such as a feature's name ("Battle (1805)") or a photo's
// description ("Photo 2007-10-02T15:45").
//
// At each place not preceded by an ASCII letter, digit or "_", the longest of these is taken:
// YYYY (an optional "-" before it), YYYY-MM (01-12), YYYY-MM-DD (01-31), YYYY-MM-DDThh:mm and
// YYYY-MM-DDThh:mm:ss (00-23, 00-59), the last two optionally followed by "Z" or a zone
// "+hh:mm" / "-hh:mm" (at most 14:00). It counts only when no ASCII letter, digit or "_"
// follows it (no shorter form is tried there) and when the calendar has it (no year 0, no 29
// February of a common year); otherwise the search goes on after it. Other characters, also
// letters of other scripts, neither start nor stop a date.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zaveze {

// A date as the text writes it.
struct FoundDate {
    std::string text;  // "1805", "2007-10-02T15:45", "2007-10-02T15:45:12+01:00"
    bool has_time = false;
    bool has_seconds = false;
    bool has_zone = false;
};

// The search over a text that comes in pieces, holding only the few bytes that a date may still
// span.
class DateSearch {
  public:
    void Feed(std::string_view text);
    // The first date of all the text fed, once it is known for certain.
    const std::optional<FoundDate>& Found() const { return found_; }
    // The text has ended: the first date, if there is one.
    const std::optional<FoundDate>& Finish();

  private:
    void Search(bool at_end);

    std::string pending_;   // bytes not yet searched past, after one byte of context
    std::size_t next_ = 0;  // where in `pending_` the next place to try is
    std::optional<FoundDate> found_;
};

std::optional<FoundDate> First_Iso_Date(std::string_view text);

// The date as a KML time value: a time without seconds gets ":00", a time without a zone gets
// `zone` ("+05:30") when there is one.
std::string Kml_Time_Value(const FoundDate& date, const std::optional<std::string>& zone);

}  // namespace zaveze
