// SPDX-License-Identifier: MIT
#include "core/time_element.h"

#include "core/messages.h"

namespace zaveze {
namespace {

// Inner lines end in LF and the line's own CR LF; the closing tag in CR LF and CR LF.
constexpr std::string_view kInnerLineEnd = "\n\r\n";
constexpr std::string_view kClosingLineEnd = "\r\n\r\n";

std::string Inner_Line(std::string_view text) {
    return std::string(text) + std::string(kInnerLineEnd);
}

}  // namespace

TimeElement Make_Time_Element(TimeMode mode, const std::string& begin_date,
                              const std::string& end_date, const TimeSettings& settings) {
    const TimeSuffixes suffixes = Time_Suffixes(settings);
    return {mode, Date_With_Time(begin_date, suffixes.begin),
            Date_With_Time(end_date, suffixes.end)};
}

std::optional<std::string_view> Element_Refusal(const TimeElement& element) {
    if (element.mode == TimeMode::TimeStamp && element.begin.empty()) {
        return messages::kNoTimeStampYet;
    }
    if (element.mode == TimeMode::TimeSpan && element.begin.empty() && element.end.empty()) {
        return messages::kNoTimeSpanYet;
    }
    return std::nullopt;
}

std::string Time_Element_Text(const TimeElement& element) {
    if (element.mode == TimeMode::TimeStamp) {
        return Inner_Line("<TimeStamp>") + Inner_Line("<when>" + element.begin + "</when>") +
               "</TimeStamp>" + std::string(kClosingLineEnd);
    }
    std::string text = Inner_Line("<TimeSpan>");
    if (!element.begin.empty()) {
        text += Inner_Line("<begin>" + element.begin + "</begin>");
    }
    if (!element.end.empty()) {
        text += Inner_Line("<end>" + element.end + "</end>");
    }
    return text + "</TimeSpan>" + std::string(kClosingLineEnd);
}

std::string One_Line_Time_Element(const TimeElement& element) {
    if (element.mode == TimeMode::TimeStamp) {
        return "<TimeStamp><when>" + element.begin + "</when></TimeStamp>";
    }
    std::string text = "<TimeSpan>";
    if (!element.begin.empty()) {
        text += "<begin>" + element.begin + "</begin>";
    }
    if (!element.end.empty()) {
        text += "<end>" + element.end + "</end>";
    }
    return text + "</TimeSpan>";
}

std::string With_Tag_Prefix(std::string_view element_text, std::string_view prefix) {
    if (prefix.empty()) {
        return std::string(element_text);
    }
    // The values hold no "<": every "<" opens one of the element's tags.
    std::string text;
    for (std::size_t at = 0; at < element_text.size(); ++at) {
        text += element_text[at];
        if (element_text[at] == '<') {
            if (at + 1 < element_text.size() && element_text[at + 1] == '/') {
                text += element_text[++at];
            }
            text.append(prefix).append(":");
        }
    }
    return text;
}

}  // namespace zaveze
