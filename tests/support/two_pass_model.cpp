// SPDX-License-Identifier: MIT
#include "support/two_pass_model.h"

#include <algorithm>

#include "core/engine/container_tags.h"
#include "support/model_markup.h"

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

struct LineRange {
    std::size_t start, length;
};

std::vector<LineRange> Model_Line_Ranges(const std::string& bytes) {
    std::vector<LineRange> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t start = i;
        while (i < bytes.size() && bytes[i] != '\r') {
            ++i;
        }
        lines.push_back({start, i - start});
        if (i < bytes.size()) {
            ++i;  // the CR
            if (i < bytes.size() && bytes[i] == '\n') {
                ++i;
            }
        }
    }
    return lines;
}

std::optional<std::string_view> Plain_Tag_At(const std::string& text, std::size_t at) {
    for (std::string_view tag : kContainerTags) {
        if (text.compare(at, tag.size(), tag) == 0) {
            return tag;
        }
    }
    return std::nullopt;
}

void Write_Element(std::string& output, const ModelElement& element, const std::string& prefix) {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    if (element.mode == TimeMode::TimeSpan) {
        Write_Line(output, "<" + p + "TimeSpan>\n");
        if (!element.begin.empty()) {
            Write_Line(output, "<" + p + "begin>" + element.begin + "</" + p + "begin>\n");
        }
        if (!element.end.empty()) {
            Write_Line(output, "<" + p + "end>" + element.end + "</" + p + "end>\n");
        }
        Write_Line(output, "</" + p + "TimeSpan>\r\n");
    } else if (!element.begin.empty()) {
        Write_Line(output, "<" + p + "TimeStamp>\n");
        Write_Line(output, "<" + p + "when>" + element.begin + "</" + p + "when>\n");
        Write_Line(output, "</" + p + "TimeStamp>\r\n");
    }
}

// Lines as the reader sees them: a line ends at CR or CR LF, a lone LF stays in the line.
std::vector<std::string> Model_Read_Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (const auto& [start, length] : Model_Line_Ranges(bytes)) {
        lines.push_back(bytes.substr(start, length));
    }
    return lines;
}

}  // namespace

std::optional<ModelTag> Model_Chosen_Tag(const std::string& text) {
    for (const ModelToken& token : Model_Tokens(text)) {
        if (token.kind == ModelToken::Start && !token.self_closing &&
            kModelFeatures.contains(token.name)) {
            return ModelTag{token.begin, token.end, token.prefix};
        }
    }
    return std::nullopt;
}

ModelScratch Model_Splitting_Pass(const std::string& input, const std::optional<ModelTag>& chosen) {
    ModelScratch scratch;
    std::size_t lines_written = 0;
    const auto in_chosen = [&chosen](std::size_t at) {
        return chosen && at >= chosen->begin && at < chosen->end;
    };
    for (const auto& [start, length] : Model_Line_Ranges(input)) {
        std::string line;
        for (std::size_t at = start; at < start + length;) {
            if (chosen && at == chosen->begin) {
                line += "\n";
            }
            if (const auto tag = Plain_Tag_At(input, at); tag && !in_chosen(at)) {
                line.append("\n").append(*tag).append("\n");
                at += tag->size();
                continue;
            }
            line += input[at++];
            if (chosen && at == chosen->end) {
                line += "\n";
                scratch.element_line =
                    lines_written +
                    static_cast<std::size_t>(std::count(line.begin(), line.end(), '\n')) - 1;
            }
        }
        lines_written += static_cast<std::size_t>(std::count(line.begin(), line.end(), '\n')) + 1;
        Write_Line(scratch.text, Replace_All(line, "\n", "\r\n"));
    }
    return scratch;
}

std::string Model_Copying_Pass(const ModelScratch& scratch, const ModelElement& element,
                               const std::string& prefix) {
    std::string output;
    const std::vector<std::string> lines = Model_Read_Lines(scratch.text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Write_Line(output, lines[i]);
        if (scratch.element_line == i) {
            Write_Element(output, element, prefix);
        }
    }
    return output;
}

}  // namespace zaveze::testing
