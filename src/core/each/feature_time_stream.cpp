// SPDX-License-Identifier: MIT
#include "core/each/feature_time_stream.h"

#include <algorithm>

#include "core/engine/container_locator.h"
#include "core/time_element.h"

namespace zaveze {
namespace {

// Deeper elements are not followed, so that hostile nesting cannot take unbounded memory.
constexpr std::size_t kDeepest = 10000;
// An end tag closes the nearest open element of its name among this many; others are stray.
constexpr std::size_t kEndTagReach = 64;
// Held output leaves in pieces of this size.
constexpr std::size_t kReleaseSize = std::size_t{1} << 20;

// The children that come before a feature's time element in the schema's sequence.
constexpr std::array<std::string_view, 12> kLeadingChildren = {
    "name",           "visibility",  "open",    "author",      "link",   "address",
    "AddressDetails", "phoneNumber", "Snippet", "description", "Camera", "LookAt"};

bool Is_One_Of(std::string_view name, auto&& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The features are the seven containers: "<Document>" ... without their brackets.
bool Is_Feature(std::string_view name) {
    return std::any_of(kContainerTags.begin(), kContainerTags.end(), [name](std::string_view tag) {
        return tag.substr(1, tag.size() - 2) == name;
    });
}

// The value of the attribute `name` of a well-formed start tag.
std::optional<std::string_view> Attribute(std::string_view tag, std::string_view name) {
    std::size_t at = tag.find_first_of(" \t\r\n");
    while (at != std::string_view::npos && at < tag.size()) {
        at = tag.find_first_not_of(" \t\r\n", at);
        if (at == std::string_view::npos || tag[at] == '>' || tag[at] == '/') {
            return std::nullopt;
        }
        const std::size_t equals = tag.find('=', at);
        const std::string_view attribute = tag.substr(at, tag.find_first_of(" \t\r\n=", at) - at);
        const std::size_t open = tag.find_first_of("\"'", equals);
        const std::size_t close = tag.find(tag[open], open + 1);
        if (attribute == name) {
            return tag.substr(open + 1, close - open - 1);
        }
        at = close + 1;
    }
    return std::nullopt;
}

std::string Qualified(const StartTag& tag) {
    return tag.prefix.empty() ? std::string(tag.name)
                              : std::string(tag.prefix) + ":" + std::string(tag.name);
}

}  // namespace

FeatureTimeStream::FeatureTimeStream(FeatureTimes times) : times_(std::move(times)) {}

FeatureTimeStream::FeatureTimeStream(std::string element) : fixed_element_(std::move(element)) {}

std::size_t FeatureTimeStream::Transform(std::string_view input, OutputBuffer& out) {
    out_ = &out;
    if (Passing_Through()) {
        held_.Write(input, out);
    } else {
        scanner_.Feed(input);
    }
    return input.size();
}

// With the one given element written, the rest of the text has nothing more to say: once the
// bytes the scan still holds (a tag cut by a block's end) are out, it goes straight through.
bool FeatureTimeStream::Passing_Through() {
    if (times_ || !container_written_ || held_.Has_Holes()) {
        return false;
    }
    if (!scan_ended_) {
        scanner_.Finish();
        scan_ended_ = true;
    }
    return true;
}

void FeatureTimeStream::Finish(std::string_view last_bytes, OutputBuffer& out) {
    out_ = &out;
    if (Passing_Through()) {
        held_.Write(last_bytes, out);
        return;
    }
    scanner_.Feed(last_bytes);
    scanner_.Finish();
    while (!open_.empty()) {
        Close(false);  // elements the text leaves open end with it
    }
}

bool FeatureTimeStream::Release(OutputBuffer& out) {
    return held_.Release(out, kReleaseSize);
}

EmbedResult FeatureTimeStream::Result() const {
    if (held_.Failure()) {
        return *held_.Failure();
    }
    if (!times_) {
        return {container_chosen_ ? EmbedStatus::Written : EmbedStatus::NoContainerTag, {}, {}};
    }
    EmbedResult result{
        counts_.timed > 0 ? EmbedStatus::Written : EmbedStatus::NoFeatureTimed, {}, {}};
    result.features = counts_;
    return result;
}

void FeatureTimeStream::Pass(std::string_view bytes) {
    held_.Write(bytes, *out_);
    if (hole_after_tag_) {
        // The element's first place: right after a chosen feature's start tag, for a feature
        // without children.
        hole_after_tag_ = false;
        held_.Open_Hole();
        Feature& feature = features_.back();
        feature.hole_open = true;
        feature.lead = feature.trail = "";
    }
}

void FeatureTimeStream::Text(std::string_view text) {
    if (capture_) {
        capture_->search.Feed(text);
    }
}

void FeatureTimeStream::Start_Tag(const StartTag& tag) {
    if (open_.size() >= kDeepest) {
        return;
    }
    OpenElement element;
    element.qualified = Qualified(tag);
    const bool is_feature = Is_Feature(tag.name);
    if (!open_.empty()) {
        switch (open_.back().role) {
            case Role::Feature:
                Child_Of_Feature(features_.back(), tag, element);
                // The schema puts a container's own data before its features: its time is
                // decided at its first feature, so that its features need not wait for its end.
                if (is_feature && features_.back().past_leading) {
                    Decide(features_.back());
                }
                break;
            case Role::ExtendedData:
            case Role::SchemaData:
            case Role::Data:
                Take_Data_Element(tag, element, open_.back().slots);
                break;
            case Role::Other:
            case Role::Source:
                break;
        }
    }
    if (is_feature) {
        element.role = Role::Feature;
        Feature feature;
        feature.depth = open_.size();
        feature.qualified = element.qualified;
        feature.prefix = tag.prefix;
        feature.line = tag.line;
        if (times_) {
            feature.chosen = true;
        } else if (!container_chosen_ &&
                   Match_Container_Start_Tag(tag.text).match == TagMatch::Full) {
            feature.chosen = container_chosen_ = true;
        }
        hole_after_tag_ = feature.chosen && !tag.self_closing;
        features_.push_back(std::move(feature));
    }
    open_.push_back(std::move(element));
}

// A direct child of a feature: its place among the children, and whether it holds a source.
void FeatureTimeStream::Child_Of_Feature(Feature& feature, const StartTag& tag,
                                         OpenElement& element) {
    if (tag.name == "TimeStamp" || tag.name == "TimeSpan") {
        feature.already_timed = true;
    }
    if (feature.chosen && !feature.past_leading) {
        if (Is_One_Of(tag.name, kLeadingChildren)) {
            element.leading = true;
            element.line_initial = tag.line_initial;
            element.indentation = tag.indentation;
        } else {
            Past_Leading_Children(feature, tag);
        }
    }
    if (!times_ || capture_) {
        return;
    }
    if (tag.name == "ExtendedData") {
        element.role = Role::ExtendedData;
        element.slots = Slots_For(TimeSource::Kind::Data, std::nullopt);
        return;
    }
    const auto kind = tag.name == "name"          ? TimeSource::Kind::Name
                      : tag.name == "description" ? TimeSource::Kind::Description
                                                  : std::optional<TimeSource::Kind>();
    if (const unsigned slots = kind ? Unseen(Slots_For(*kind, std::nullopt)) : 0; slots != 0) {
        Mark_Seen(slots);  // the feature's first <name> is its name
        if (!tag.self_closing) {
            element.role = Role::Source;
            Start_Capture(slots);
        }
    }
}

// The element's place: before this child, on a line of its own where the child has one. With
// a given element, it is written there and then.
void FeatureTimeStream::Past_Leading_Children(Feature& feature, const StartTag& tag) {
    feature.past_leading = true;
    if (feature.hole_open) {
        held_.Fill_Last_Hole("");  // not after the last leading child, then
    }
    held_.Open_Hole();
    feature.hole_open = true;
    feature.lead.clear();
    feature.trail =
        tag.line_initial ? std::string(scanner_.Line_Ending()) + std::string(tag.indentation) : "";
    if (!times_) {
        Decide(feature);
    }
}

// ExtendedData's children: <Data name> with its <value>, <SchemaData> with its <SimpleData name>.
void FeatureTimeStream::Take_Data_Element(const StartTag& tag, OpenElement& element,
                                          unsigned parent_slots) {
    const Role parent = open_.back().role;
    const auto named = [&] {
        const auto name = Attribute(tag.text, "name");
        return name ? Unseen(Slots_For(TimeSource::Kind::Data, *name)) : 0u;
    };
    if (parent == Role::ExtendedData && tag.name == "Data") {
        element.role = Role::Data;
        element.slots = named();
        Mark_Seen(element.slots);
    } else if (parent == Role::ExtendedData && tag.name == "SchemaData") {
        element.role = Role::SchemaData;
    } else if (parent == Role::SchemaData && tag.name == "SimpleData" && !capture_) {
        const unsigned slots = named();
        Mark_Seen(slots);
        if (slots != 0 && !tag.self_closing) {
            element.role = Role::Source;
            Start_Capture(slots);
        }
    } else if (parent == Role::Data && tag.name == "value" && parent_slots != 0 && !capture_ &&
               !tag.self_closing) {
        element.role = Role::Source;
        Start_Capture(parent_slots);
    }
}

unsigned FeatureTimeStream::Slots_For(TimeSource::Kind kind,
                                      std::optional<std::string_view> data_name) const {
    const std::array<const std::optional<TimeSource>*, kSlots> sources = {
        &times_->stamp, &times_->begin, &times_->end};
    unsigned slots = 0;
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        const auto& source = *sources[slot];
        const bool used = (slot == 0) == (times_->mode == TimeMode::TimeStamp);
        if (used && source && source->kind == kind &&
            (!data_name || source->data_name == *data_name)) {
            slots |= 1u << slot;
        }
    }
    return slots;
}

// Of `slots`, those whose source the innermost feature has not shown yet: the first counts.
unsigned FeatureTimeStream::Unseen(unsigned slots) const {
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if (features_.back().seen[slot]) {
            slots &= ~(1u << slot);
        }
    }
    return slots;
}

void FeatureTimeStream::Mark_Seen(unsigned slots) {
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if ((slots & (1u << slot)) != 0) {
            features_.back().seen[slot] = true;
        }
    }
}

void FeatureTimeStream::Start_Capture(unsigned slots) {
    capture_.emplace(open_.size(), features_.size() - 1, slots);  // the element about to open
}

void FeatureTimeStream::End_Tag(std::string_view qualified_name) {
    const std::size_t reach = std::min(open_.size(), kEndTagReach);
    for (std::size_t i = 1; i <= reach; ++i) {
        if (open_[open_.size() - i].qualified == qualified_name) {
            for (std::size_t inner = 1; inner < i; ++inner) {
                Close(false);  // left open inside it
            }
            Close(true);
            return;
        }
    }
}

// Closes the innermost open element; `explicitly` by its own end tag.
void FeatureTimeStream::Close(bool explicitly) {
    const OpenElement element = std::move(open_.back());
    open_.pop_back();
    if (capture_ && capture_->depth == open_.size()) {
        const auto& found = capture_->search.Finish();
        Feature& feature = features_[capture_->feature];
        for (std::size_t slot = 0; slot < kSlots; ++slot) {
            if ((capture_->slots & (1u << slot)) != 0) {
                feature.found[slot] = found;
            }
        }
        capture_.reset();
    }
    if (element.role == Role::Feature) {
        Decide(features_.back());
        features_.pop_back();
        return;
    }
    if (element.leading && explicitly && !features_.empty() &&
        features_.back().depth + 1 == open_.size()) {
        Leading_Child_Closed(features_.back(), element);
    }
}

// The element's place for now: after this child, until another child shows a later one.
void FeatureTimeStream::Leading_Child_Closed(Feature& feature, const OpenElement& child) {
    if (feature.past_leading || feature.decided) {
        return;
    }
    if (feature.hole_open) {
        held_.Fill_Last_Hole("");
    }
    held_.Open_Hole();
    feature.hole_open = true;
    feature.lead =
        child.line_initial ? std::string(scanner_.Line_Ending()) + child.indentation : "";
    feature.trail.clear();
}

// Writes the feature's element into its place, or nothing, and counts the outcome.
void FeatureTimeStream::Decide(Feature& feature) {
    if (!feature.chosen || feature.decided) {
        return;
    }
    feature.decided = true;
    if (!times_) {
        Fill_Hole(feature, With_Tag_Prefix(fixed_element_, feature.prefix));
        container_written_ = true;
        return;
    }
    FeatureOutcome outcome;
    outcome.feature = feature.qualified;
    outcome.line = feature.line;
    const std::string element = feature.already_timed ? "" : Element_For(feature, outcome);
    Fill_Hole(feature, element);
    if (feature.already_timed) {
        outcome.kind = FeatureOutcome::Kind::AlreadyTimed;
        ++counts_.already_timed;
    } else if (!element.empty()) {
        outcome.kind = FeatureOutcome::Kind::Timed;
        outcome.element = element;
        ++counts_.timed;
    } else if (std::find(feature.seen.begin(), feature.seen.end(), true) != feature.seen.end()) {
        outcome.kind = FeatureOutcome::Kind::WithoutDate;
        ++counts_.without_date;
        if (counts_.lines_without_date.size() < FeatureCounts::kLinesKept) {
            counts_.lines_without_date.push_back(feature.line);
        }
    } else {
        return;  // without the source: left alone, and not counted
    }
    if (times_->list_features) {
        counts_.outcomes.push_back(std::move(outcome));
    }
}

// The feature's element from the dates found, with its prefix; empty without a date.
std::string FeatureTimeStream::Element_For(const Feature& feature, FeatureOutcome& outcome) const {
    const auto value = [&](std::size_t slot) {
        return feature.found[slot] ? Kml_Time_Value(*feature.found[slot], times_->zone)
                                   : std::string();
    };
    TimeElement element{times_->mode, value(0), {}};
    outcome.found = feature.found[0] ? feature.found[0]->text : "";
    if (times_->mode == TimeMode::TimeSpan) {
        element = {TimeMode::TimeSpan, value(1), value(2)};
        const std::string begin = feature.found[1] ? feature.found[1]->text : "";
        const std::string end = feature.found[2] ? feature.found[2]->text : "";
        outcome.found = end.empty()     ? "from " + begin
                        : begin.empty() ? "until " + end
                                        : begin + " to " + end;
    }
    if (Element_Refusal(element)) {
        return {};
    }
    return With_Tag_Prefix(One_Line_Time_Element(element), feature.prefix);
}

void FeatureTimeStream::Fill_Hole(Feature& feature, const std::string& element) {
    if (feature.hole_open) {
        held_.Fill_Last_Hole(element.empty() ? "" : feature.lead + element + feature.trail);
        feature.hole_open = false;
    }
}

}  // namespace zaveze
