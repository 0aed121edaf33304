// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cctype>

#include "core/kmz.h"

namespace zaveze {

bool Has_Kmz_Name(const std::string& path) {
    constexpr std::string_view kExtension = ".kmz";
    return path.size() >= kExtension.size() &&
           std::equal(kExtension.begin(), kExtension.end(), path.end() - kExtension.size(),
                      [](char wanted, char c) {
                          return wanted == std::tolower(static_cast<unsigned char>(c));
                      });
}

bool Is_Kmz_Input(const std::string& path, const InputFile& input) {
    if (Has_Kmz_Name(path)) {
        return true;
    }
    if (!input.Is_Regular()) {
        return false;
    }
    char start[4] = {};
    return platform::Read_At(input.Fd(), start, sizeof start, 0) == sizeof start &&
           std::equal(start, start + 4, "PK\x03\x04");
}

}  // namespace zaveze
