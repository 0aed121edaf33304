// SPDX-License-Identifier: MIT
#include "core/engine/time_data_scan.h"

#include <algorithm>

#include "core/engine/byte_scan.h"
#include "core/engine/container_tags.h"

namespace zaveze {
namespace {

// A marker that straddles two blocks has at most this many bytes in the earlier one.
constexpr std::size_t kTailSize = 8;
static_assert(kTimeDataMarkers[0].size() == kTailSize + 1);

}  // namespace

// Both markers start with "Ti", which is rare in KML, so that pair is searched for first.
bool Has_Time_Data(std::string_view text) {
    const char* const end = text.data() + text.size();
    for (const char* hit = Find_Pair(text.data(), end, 'T', 'i'); hit != end;
         hit = Find_Pair(hit + 1, end, 'T', 'i')) {
        const std::string_view rest(hit, static_cast<std::size_t>(end - hit));
        if (std::any_of(kTimeDataMarkers.begin(), kTimeDataMarkers.end(),
                        [rest](std::string_view marker) { return rest.starts_with(marker); })) {
            return true;
        }
    }
    return false;
}

bool TimeDataScanner::Feed(std::string_view bytes) {
    if (found_) {
        return true;
    }
    // The seam: the kept tail and the new block's first bytes.
    std::string seam = tail_;
    seam.append(bytes.substr(0, kTailSize));
    found_ = Has_Time_Data(seam) || Has_Time_Data(bytes);
    if (bytes.size() >= kTailSize) {
        tail_.assign(bytes.substr(bytes.size() - kTailSize));
    } else {
        tail_ = seam.substr(seam.size() - std::min(seam.size(), kTailSize));
    }
    return found_;
}

}  // namespace zaveze
