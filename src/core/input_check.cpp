#include "core/input_check.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/container_tags.h"
#include "core/input_file.h"
#include "core/messages.h"
#include "core/time_data_scan.h"

namespace zaveze {
namespace {

// The same block size as the embedding, for the same reason (see embed_file.cpp).
constexpr std::size_t kBlockSize = 64 << 10;
// A tag that straddles two blocks is found because this many bytes of the previous block stay
// in front of the next one.
constexpr std::size_t kOverlap = kLongestContainerTag - 1;

}  // namespace

InputCheck Check_Input_File(const std::string& path) {
    InputFile file;
    if (const auto reason = file.Open(path)) {
        return {InputVerdict::Unreadable, *reason};
    }
    TimeDataScanner time_data;
    std::vector<char> block(kBlockSize + kOverlap);
    std::size_t kept = 0;
    bool container_found = false;
    for (;;) {
        const ssize_t count = file.Read(block.data() + kept, kBlockSize);
        if (count < 0) {
            return {InputVerdict::Unreadable, Error_Text(errno)};
        }
        if (count == 0) {
            break;
        }
        if (time_data.Feed(
                std::string_view(block.data() + kept, static_cast<std::size_t>(count)))) {
            return {InputVerdict::HasTimeData, {}};
        }
        const std::string_view text(block.data(), kept + static_cast<std::size_t>(count));
        container_found = container_found || Contains_Container_Tag(text);
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
