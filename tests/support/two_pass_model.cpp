// SPDX-License-Identifier: MIT
#include "support/two_pass_model.h"

#include <algorithm>
#include <regex>

#include "core/engine/container_tags.h"
#include "support/model_markup.h"

namespace zaveze::testing {
namespace {

void Write_Line(std::string& file, const std::string& line) {
    file += line + "\r\n";
}

struct LineRange {
    std::size_t start, length;
};

// Lines as the reader sees them: a line ends at CR or CR LF, a lone LF stays in the line.
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

// The element's lines, each ending in LF CR LF, and a blank line after it; a TimeStamp without
// its date is none.
void Write_Element(std::string& output, const ModelElement& element, const std::string& prefix) {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    const bool span = element.mode == TimeMode::TimeSpan;
    if (!span && element.begin.empty()) {
        return;
    }
    const auto value = [&](const std::string& name, const std::string& date) {
        if (!date.empty()) {
            Write_Line(output, "<" + p + name + ">" + date + "</" + p + name + ">\n");
        }
    };
    Write_Line(output, "<" + p + (span ? "TimeSpan" : "TimeStamp") + ">\n");
    value(span ? "begin" : "when", element.begin);
    value("end", span ? element.end : "");
    Write_Line(output, "</" + p + (span ? "TimeSpan" : "TimeStamp") + ">\r\n");
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
        static const std::regex kLf("\n");
        Write_Line(scratch.text, std::regex_replace(line, kLf, "\r\n"));
    }
    return scratch;
}

std::string Model_Copying_Pass(const ModelScratch& scratch, const ModelElement& element,
                               const std::string& prefix) {
    std::string output;
    const std::vector<LineRange> lines = Model_Line_Ranges(scratch.text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Write_Line(output, scratch.text.substr(lines[i].start, lines[i].length));
        if (scratch.element_line == i) {
            Write_Element(output, element, prefix);
        }
    }
    return output;
}

}  // namespace zaveze::testing
