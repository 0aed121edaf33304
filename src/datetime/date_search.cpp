// SPDX-License-Identifier: MIT
#include "datetime/date_search.h"

#include "datetime/ascii_digit.h"
#include "datetime/calendar.h"

namespace zaveze {
namespace {

// The longest date, "-2007-10-02T15:45:12+01:00", and the byte after it.
constexpr std::size_t kLongestDate = 26;

bool Is_Word_Byte(char c) {
    return Is_Digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The number of `count` digits at `at`, when they are there.
std::optional<int> Number_At(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!Is_Digit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "-NN" or ":NN" at `at` with NN from `low` to `high`.
bool Field_At(std::string_view text, std::size_t at, char separator, int low, int high) {
    if (at >= text.size() || text[at] != separator) {
        return false;
    }
    const auto value = Number_At(text, at + 1, 2);
    return value && *value >= low && *value <= high;
}

// "Z", or a zone "+hh:mm" / "-hh:mm" up to 14:00, at `at`; its length, 0 for none.
std::size_t Zone_Length(std::string_view text, std::size_t at) {
    if (at < text.size() && text[at] == 'Z') {
        return 1;
    }
    if (at >= text.size() || (text[at] != '+' && text[at] != '-')) {
        return 0;
    }
    const auto hours = Number_At(text, at + 1, 2);
    if (!hours || !Field_At(text, at + 3, ':', 0, 59)) {
        return 0;
    }
    const int minutes = *Number_At(text, at + 4, 2);
    return *hours * 60 + minutes <= 14 * 60 ? 6 : 0;
}

struct Candidate {
    std::size_t length = 0;  // 0: no date starts here
    bool counts = false;
    FoundDate date;
};

// The longest form that starts at `at`, and whether it counts as a date.
Candidate Candidate_At(std::string_view text, std::size_t at) {
    const std::size_t digits = at + (text[at] == '-' ? 1 : 0);
    if (!Number_At(text, digits, 4)) {
        return {};
    }
    FoundDate date;
    std::size_t end = digits + 4;
    const std::string_view year = text.substr(at, end - at);
    bool on_calendar = *Number_At(text, digits, 4) != 0;
    if (Field_At(text, end, '-', 1, 12)) {
        const std::string month(text.substr(end + 1, 2));
        end += 3;
        if (Field_At(text, end, '-', 1, 31)) {
            const auto day = static_cast<std::size_t>(*Number_At(text, end + 1, 2));
            on_calendar = on_calendar && day <= Day_Entries(month, year).size();
            end += 3;
            if (end < text.size() && text[end] == 'T' && Number_At(text, end + 1, 2) &&
                *Number_At(text, end + 1, 2) <= 23 && Field_At(text, end + 3, ':', 0, 59)) {
                end += 6;
                date.has_time = true;
                if (Field_At(text, end, ':', 0, 59)) {
                    end += 3;
                    date.has_seconds = true;
                }
                const std::size_t zone = Zone_Length(text, end);
                date.has_zone = zone > 0;
                end += zone;
            }
        }
    }
    date.text = text.substr(at, end - at);
    const bool stands_alone = end >= text.size() || !Is_Word_Byte(text[end]);
    return {end - at, stands_alone && on_calendar, std::move(date)};
}

}  // namespace

void DateSearch::Feed(std::string_view text) {
    if (found_) {
        return;
    }
    pending_ += text;
    Search(false);
}

const std::optional<FoundDate>& DateSearch::Finish() {
    if (!found_) {
        Search(true);
    }
    return found_;
}

void DateSearch::Search(bool at_end) {
    // A place is tried only once the bytes a date there may span have come.
    while (next_ < pending_.size() && (at_end || pending_.size() - next_ > kLongestDate)) {
        const std::size_t at = next_;
        if (at > 0 && Is_Word_Byte(pending_[at - 1])) {
            ++next_;
            continue;
        }
        Candidate candidate = Candidate_At(pending_, at);
        if (candidate.counts) {
            found_ = std::move(candidate.date);
            pending_.clear();
            return;
        }
        next_ = at + (candidate.length > 0 ? candidate.length : 1);
    }
    // Only the byte before the next place is still needed, as its context.
    if (next_ > 1) {
        pending_.erase(0, next_ - 1);
        next_ = 1;
    }
}

std::optional<FoundDate> First_Iso_Date(std::string_view text) {
    DateSearch search;
    search.Feed(text);
    return search.Finish();
}

std::string Kml_Time_Value(const FoundDate& date, const std::optional<std::string>& zone) {
    std::string value = date.text;
    if (!date.has_time) {
        return value;
    }
    if (!date.has_seconds) {
        const std::size_t minutes_end = value.find('T') + 6;
        value.insert(minutes_end, ":00");
    }
    if (!date.has_zone && zone) {
        value += *zone;
    }
    return value;
}

}  // namespace zaveze
