#include "core/input_check.h"

#include <fcntl.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/byte_scan.h"
#include "core/container_tags.h"
#include "core/messages.h"
#include "core/posix_file.h"

namespace zaveze {
namespace {

// The same block size as the embedding, for the same reason (see embed_file.cpp).
constexpr std::size_t kBlockSize = 64 << 10;
// A word that straddles two blocks is found because this many bytes of the previous block stay
// in front of the next one.
constexpr std::size_t kOverlap = kLongestContainerTag - 1;

// Both time-data markers start with "Ti", which is rare in KML, so that pair is searched for
// first.
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

bool Has_Container_Tag(std::string_view text) {
    for (std::size_t open = text.find('<'); open != std::string_view::npos;
         open = text.find('<', open + 1)) {
        const std::string_view rest = text.substr(open);
        if (std::any_of(kContainerTags.begin(), kContainerTags.end(),
                        [rest](std::string_view tag) { return rest.starts_with(tag); })) {
            return true;
        }
    }
    return false;
}

}  // namespace

InputCheck Check_Input_File(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Is_Open()) {
        return {InputVerdict::Unreadable, Error_Text(errno)};
    }
    ::posix_fadvise(file.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    std::vector<char> block(kBlockSize + kOverlap);
    std::size_t kept = 0;
    bool container_found = false;
    for (;;) {
        const ssize_t count = Read_Some(file.Get(), block.data() + kept, kBlockSize);
        if (count < 0) {
            return {InputVerdict::Unreadable, Error_Text(errno)};
        }
        if (count == 0) {
            break;
        }
        const std::string_view text(block.data(), kept + static_cast<std::size_t>(count));
        if (Has_Time_Data(text)) {
            return {InputVerdict::HasTimeData, {}};
        }
        container_found = container_found || Has_Container_Tag(text);
        kept = std::min(kOverlap, text.size());
        std::copy(text.end() - static_cast<std::ptrdiff_t>(kept), text.end(), block.begin());
    }
    return {container_found ? InputVerdict::Accepted : InputVerdict::NoContainerTag, {}};
}

std::optional<std::string> Input_Refusal_Message(const InputCheck& check, const std::string& path) {
    switch (check.verdict) {
        case InputVerdict::HasTimeData:
            return std::string(messages::kTimeDataPresent);
        case InputVerdict::NoContainerTag:
            return std::string(messages::kNoContainerTag);
        case InputVerdict::Unreadable:
            return messages::Read_Failed(path, check.reason);
        case InputVerdict::Accepted:
            break;
    }
    return std::nullopt;
}

}  // namespace zaveze
