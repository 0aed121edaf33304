#include "core/container_tags.h"

namespace zaveze {

ContainerTagMatch Match_Container_Tag(std::string_view text) {
    ContainerTagMatch result;
    for (std::string_view candidate : kContainerTags) {
        if (text.size() >= candidate.size()) {
            if (text.starts_with(candidate)) {
                return {TagMatch::Full, candidate};
            }
        } else if (candidate.starts_with(text)) {
            result.match = TagMatch::Partial;
        }
    }
    return result;
}

bool Contains_Container_Tag(std::string_view text) {
    for (std::size_t open = text.find('<'); open != std::string_view::npos;
         open = text.find('<', open + 1)) {
        if (Match_Container_Tag(text.substr(open)).match == TagMatch::Full) {
            return true;
        }
    }
    return false;
}

}  // namespace zaveze
