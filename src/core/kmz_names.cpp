// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cctype>

#include "core/kmz.h"

namespace zaveze {

bool Has_Extension(std::string_view name, std::string_view extension) {
    return name.size() >= extension.size() &&
           std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                      [](char wanted, char c) {
                          return std::tolower(static_cast<unsigned char>(wanted)) ==
                                 std::tolower(static_cast<unsigned char>(c));
                      });
}

bool Has_Kmz_Name(const std::string& path) {
    return Has_Extension(path, ".kmz");
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
