// SPDX-License-Identifier: MIT
#include "support/two_pass_model.h"

#include <algorithm>

#include "core/engine/container_tags.h"
#include "core/module1.h"

namespace zaveze::testing {
namespace {

std::string Replace_All(const std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string::npos;
         hit = text.find(from, start)) {
        result += text.substr(start, hit - start) + to;
        start = hit + from.size();
    }
    return result + text.substr(start);
}

void Write_Line(std::string& file, const std::string& line) {
    file += line + "\r\n";
}

}  // namespace

std::vector<std::string> Model_Read_Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::string line;
        while (i < bytes.size() && bytes[i] != '\r') {
            line += bytes[i++];
        }
        if (i < bytes.size()) {
            ++i;  // the CR
            if (i < bytes.size() && bytes[i] == '\n') {
                ++i;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::string Model_Splitting_Pass(const std::string& input) {
    std::string scratch;
    for (std::string line : Model_Read_Lines(input)) {
        for (std::string_view tag : kContainerTags) {
            line = Replace_All(line, std::string(tag), std::string("\n").append(tag).append("\n"));
        }
        line = Replace_All(line, "\n", "\r\n");
        Write_Line(scratch, line);
    }
    return scratch;
}

std::string Model_Copying_Pass(const std::string& scratch, const ModelElement& element) {
    std::string output;
    bool inserted = false;
    for (const std::string& line : Model_Read_Lines(scratch)) {
        Write_Line(output, line);
        std::string cleaned = line;
        const std::string key = Module1::Clean_Line(cleaned);
        const bool is_container_line =
            std::find(kContainerTags.begin(), kContainerTags.end(), key) != kContainerTags.end();
        if (inserted || !is_container_line) {
            continue;
        }
        if (element.mode == TimeMode::TimeSpan) {
            Write_Line(output, "<TimeSpan>\n");
            if (!element.begin.empty()) {
                Write_Line(output, "<begin>" + element.begin + "</begin>\n");
            }
            if (!element.end.empty()) {
                Write_Line(output, "<end>" + element.end + "</end>\n");
            }
            Write_Line(output, "</TimeSpan>\r\n");
            inserted = true;
        }
        if (element.mode == TimeMode::TimeStamp && !element.begin.empty()) {
            Write_Line(output, "<TimeStamp>\n");
            Write_Line(output, "<when>" + element.begin + "</when>\n");
            Write_Line(output, "</TimeStamp>\r\n");
            inserted = true;
        }
    }
    return output;
}

}  // namespace zaveze::testing
