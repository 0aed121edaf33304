// SPDX-License-Identifier: MIT
#include "core/module1.h"

#include <string_view>

#include "core/files/platform/paths.h"

namespace Module1 {
namespace {

void Replace_All(std::string& text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string::npos;
         hit = text.find(from, start)) {
        result.append(text, start, hit - start);
        result.append(to);
        start = hit + from.size();
    }
    result.append(text, start);
    text = std::move(result);
}

}  // namespace

std::string Get_Folder(const std::string& path) {
    const std::size_t first = path.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const std::string_view trimmed =
        std::string_view(path).substr(first, path.find_last_not_of(' ') - first + 1);
    return zaveze::platform::Folder_Of(std::string(trimmed));
}

std::string Get_Base_Name(const std::string& path) {
    const std::string name = zaveze::platform::File_Name_Of(path);
    return name.substr(0, name.find('.'));
}

std::string Clean_Line(std::string& line) {
    Replace_All(line, "\t", " ");
    Replace_All(line, "\r\n", " ");
    Replace_All(line, "\n", " ");
    while (line.find("  ") != std::string::npos) {
        Replace_All(line, "  ", " ");
    }
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

}  // namespace Module1
