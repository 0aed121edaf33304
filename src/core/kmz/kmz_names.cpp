// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cctype>

#include "core/engine/text_encoding.h"
#include "core/files/spool.h"
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

namespace {

// Whether the first bytes of a file are those of KML text: "<" or a blank, after a UTF-8 mark,
// or text in UTF-16 or UTF-32 (which the checks then take or refuse).
bool Starts_Like_Text(std::string_view first_bytes) {
    if (Detect_Encoding(first_bytes) != TextEncoding::Bytes) {
        return true;
    }
    if (first_bytes.starts_with("\xEF\xBB\xBF")) {
        first_bytes.remove_prefix(3);
    }
    return first_bytes.empty() ||
           std::string_view("< \t\r\n").find(first_bytes[0]) != std::string_view::npos;
}

}  // namespace

EmbedResult Learn_Input_Kind(const std::string& path, InputFile& input, bool& kmz) {
    const std::string_view first_bytes = input.First_Bytes(4);
    kmz = Has_Kmz_Name(path) || first_bytes == std::string_view("PK\x03\x04", 4);
    if (!input.Is_Regular() && !kmz && Starts_Like_Text(first_bytes)) {
        return {};  // KML text, streamed as it comes
    }
    // An archive is read out of order, and a pipe shows its end only once read whole.
    if (EmbedResult spooled = Spool(input); spooled.status != EmbedStatus::Written) {
        return spooled;
    }
    kmz = kmz || Ends_Like_An_Archive(input.Fd());
    return {};
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
