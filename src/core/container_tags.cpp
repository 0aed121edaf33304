#include "core/container_tags.h"

namespace zaveze {

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
