// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cctype>

#include "core/kmz/kmz.h"

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

bool Is_Kmz_Input(const std::string& path, InputFile& input) {
    return Has_Kmz_Name(path) || input.First_Bytes(4) == std::string_view("PK\x03\x04", 4);
}

std::optional<EmbedStatus> Kind_Mismatch(bool kmz_input, const std::string& output) {
    if (kmz_input && Has_Extension(output, ".kml")) {
        return EmbedStatus::ArchiveIntoKml;
    }
    if (!kmz_input && Has_Kmz_Name(output)) {
        return EmbedStatus::TextIntoKmz;
    }
    return std::nullopt;
}

}  // namespace zaveze
