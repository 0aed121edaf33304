#include "core/input_check.h"

#include <fcntl.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/container_tags.h"
#include "core/messages.h"
#include "core/posix_file.h"

namespace zaveze {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;
// A word that straddles two blocks is found because this many bytes of the previous block stay
// in front of the next one.
constexpr std::size_t kOverlap = kLongestContainerTag - 1;

template <std::size_t N>
bool Contains_Any(std::string_view text, const std::array<std::string_view, N>& words) {
    return std::any_of(words.begin(), words.end(),
                       [text](std::string_view word) { return text.find(word) != std::string_view::npos; });
}

}  // namespace

InputCheck Check_Input_File(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Is_Open()) {
        return {InputVerdict::Unreadable, Error_Text(errno)};
    }
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
        if (Contains_Any(text, kTimeDataMarkers)) {
            return {InputVerdict::HasTimeData, {}};
        }
        container_found = container_found || Contains_Any(text, kContainerTags);
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
