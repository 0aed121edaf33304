// SPDX-License-Identifier: MIT
#include "core/engine/container_tags.h"

namespace zaveze {

std::optional<FoundTag> Find_Container_Tag(std::string_view text) {
    for (std::size_t open = text.find('<'); open != std::string_view::npos;
         open = text.find('<', open + 1)) {
        if (const auto [match, tag] = Match_Container_Tag(text.substr(open));
            match == TagMatch::Full) {
            return FoundTag{open, tag};
        }
    }
    return std::nullopt;
}

}  // namespace zaveze
