// SPDX-License-Identifier: MIT
#include "core/engine/skipped_markup.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zaveze {

SkippedMarkup::Opening SkippedMarkup::Opening_Of(std::string_view text, bool at_end) {
    // In this order: "<!" is whatever the longer ones are not.
    static constexpr std::array<std::pair<std::string_view, Kind>, 5> kOpenings = {{
        {"<!--", Kind::Comment},
        {"<![CDATA[", Kind::CData},
        {"<!DOCTYPE", Kind::Doctype},
        {"<?", Kind::Instruction},
        {"<!", Kind::Declaration},
    }};
    for (const auto& [opening, kind] : kOpenings) {
        if (text.starts_with(opening)) {
            return {Opening::Verdict::Skipped, kind, opening.size()};
        }
        if (!at_end && opening.starts_with(text)) {
            return {Opening::Verdict::Undecided, kind, 0};
        }
    }
    return {};
}

void SkippedMarkup::Begin(Kind kind) {
    active_ = true;
    kind_ = kind;
    run_ = 0;
    in_subset_ = past_subset_ = false;
}

bool SkippedMarkup::Step(char c) {
    // Counts the closing characters just seen ("-" of "-->", "]" of "]]>", "?" of "?>").
    const auto count_run = [this, c](char closing, int needed) {
        run_ = c == closing ? std::min(run_ + 1, needed) : 0;
    };
    bool ends = false;
    switch (kind_) {
        case Kind::Comment:
            ends = c == '>' && run_ == 2;
            count_run('-', 2);
            break;
        case Kind::CData:
            ends = c == '>' && run_ == 2;
            count_run(']', 2);
            break;
        case Kind::Instruction:
            ends = c == '>' && run_ == 1;
            count_run('?', 1);
            break;
        case Kind::Doctype:
            if (in_subset_) {
                in_subset_ = c != ']';
                past_subset_ = !in_subset_;
            } else {
                ends = c == '>';
                in_subset_ = c == '[' && !past_subset_;
            }
            break;
        case Kind::Declaration:
            ends = c == '>';
            break;
    }
    active_ = !ends;
    return ends;
}

}  // namespace zaveze
