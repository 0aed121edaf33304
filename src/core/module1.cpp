// SPDX-License-Identifier: MIT
#include "core/module1.h"

#include <string_view>

namespace Module1 {
namespace {

// Windows paths accept both separators; elsewhere only "/" separates folders.
#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/";
#else
constexpr std::string_view kSeparators = "/";
#endif

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
    const std::size_t last_separator = trimmed.find_last_of(kSeparators);
    if (last_separator == std::string_view::npos) {
        return {};
    }
    return std::string(trimmed.substr(0, last_separator + 1));
}

std::string Get_Base_Name(const std::string& path) {
    const std::size_t last_separator = path.find_last_of(kSeparators);
    const std::string_view rest = last_separator == std::string::npos
                                      ? std::string_view(path)
                                      : std::string_view(path).substr(last_separator + 1);
    return std::string(rest.substr(0, rest.find('.')));
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
