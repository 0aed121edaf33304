// SPDX-License-Identifier: MIT
#include "core/each/feature_times.h"

namespace zaveze {

std::optional<TimeSource> Read_Time_Source(std::string_view text) {
    if (text == "name") {
        return TimeSource{TimeSource::Kind::Name, {}};
    }
    if (text == "description") {
        return TimeSource{TimeSource::Kind::Description, {}};
    }
    constexpr std::string_view kData = "data:";
    if (text.starts_with(kData) && text.size() > kData.size()) {
        return TimeSource{TimeSource::Kind::Data, std::string(text.substr(kData.size()))};
    }
    return std::nullopt;
}

std::string Source_Text(const TimeSource& source) {
    switch (source.kind) {
        case TimeSource::Kind::Name:
            return "name";
        case TimeSource::Kind::Description:
            return "description";
        case TimeSource::Kind::Data:
            break;
    }
    return "data:" + source.data_name;
}

}  // namespace zaveze
