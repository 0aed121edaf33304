// SPDX-License-Identifier: MIT
#pragma once
// What an embedding puts into the KML text.

#include <optional>
#include <string>

#include "core/each/feature_times.h"
#include "core/time_element.h"

namespace zaveze {

struct Embedding {
    // One element after the file's first container tag, in the layout of engine/
    // embedding_stream.h; `element_text` as Time_Element_Text makes it. Implicit, since the
    // element's text is what the window (and every caller before the other embeddings) gives.
    Embedding(std::string element) : element_text(std::move(element)) {}  // NOLINT
    Embedding(const char* element) : Embedding(std::string(element)) {}   // NOLINT
    // One element in the first container, on one line at the schema's place, every other byte
    // kept.
    static Embedding Keeping_Layout(const TimeElement& element) {
        Embedding embedding(One_Line_Time_Element(element));
        embedding.keep_layout = true;
        return embedding;
    }
    // Each feature's own element, from its own data, every other byte kept.
    static Embedding For_Each_Feature(FeatureTimes times) {
        Embedding embedding{std::string()};
        embedding.each = std::move(times);
        return embedding;
    }

    // A file that holds time data anywhere is refused, unless each feature is timed apart.
    bool Refuses_Time_Data() const { return !each; }

    std::string element_text;
    bool keep_layout = false;
    std::optional<FeatureTimes> each;
};

}  // namespace zaveze
