// SPDX-License-Identifier: MIT
#pragma once
// Puts a time element into KML features, every other byte kept: into each feature that has a
// date in its own data (FeatureTimes), or one given element into the file's first container
// (the chosen tag of container_locator.h).
//
// The element goes where the KML 2.2 schema wants it among the feature's children: after
// name, visibility, open, atom:author, atom:link, address, xal:AddressDetails, phoneNumber,
// Snippet, description, Camera and LookAt, before any other child or the feature's end tag. It
// is written on one line with the feature's prefix: on a line of its own with the indentation of
// the child it precedes (or of the one it follows) and the file's first line ending, or on the
// children's line where they share one. A feature that holds a TimeStamp or TimeSpan already
// (any prefix) gets nothing.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/each/feature_times.h"
#include "core/each/held_output.h"
#include "core/each/markup_scanner.h"
#include "core/engine/text_transformation.h"
#include "datetime/date_search.h"

namespace zaveze {

class FeatureTimeStream final : public TextTransformation, private MarkupEvents {
  public:
    // Each feature's own time.
    explicit FeatureTimeStream(FeatureTimes times);
    // `element` (one line, without a prefix) in the first container only.
    explicit FeatureTimeStream(std::string element);

    std::size_t Transform(std::string_view input, OutputBuffer& out) override;
    bool Passing_Through();
    void Finish(std::string_view last_bytes, OutputBuffer& out) override;
    bool Release(OutputBuffer& out) override;
    EmbedResult Result() const override;

  private:
    static constexpr std::size_t kSlots = 3;  // the TimeStamp's when, a TimeSpan's begin and end
    enum class Role { Other, Feature, ExtendedData, SchemaData, Data, Source };
    struct OpenElement {
        std::string qualified;  // as written, to match its end tag
        Role role = Role::Other;
        unsigned slots = 0;    // the slots a Data element or a source feeds, one bit each
        bool leading = false;  // a child of a chosen feature that the element follows
        bool line_initial = false;
        std::string indentation;
    };
    struct Feature {
        std::size_t depth = 0;  // its place among the open elements
        std::string qualified, prefix;
        std::uint64_t line = 0;
        bool chosen = false;   // gets a time, if its data has one
        bool decided = false;  // its element is written (or not) already
        bool past_leading = false;
        bool hole_open = false;
        std::string lead, trail;  // around the element in the hole: a line ending and blanks
        bool already_timed = false;
        std::array<bool, kSlots> seen{};
        std::array<std::optional<FoundDate>, kSlots> found;
    };
    struct Capture {
        Capture(std::size_t at_depth, std::size_t of_feature, unsigned for_slots)
            : depth(at_depth), feature(of_feature), slots(for_slots) {}
        std::size_t depth;    // the source element's place among the open elements
        std::size_t feature;  // the feature it belongs to, among the open features
        unsigned slots;
        DateSearch search;
    };

    void Pass(std::string_view bytes) override;
    void Start_Tag(const StartTag& tag) override;
    void End_Tag(std::string_view qualified_name) override;
    void Text(std::string_view text) override;

    void Child_Of_Feature(Feature& feature, const StartTag& tag, OpenElement& element);
    void Past_Leading_Children(Feature& feature, const StartTag& tag);
    void Take_Data_Element(const StartTag& tag, OpenElement& element, unsigned parent_slots);
    // The slots that read `kind`; for Data, those of `data_name` (any, without one).
    unsigned Slots_For(TimeSource::Kind kind, std::optional<std::string_view> data_name) const;
    unsigned Unseen(unsigned slots) const;
    void Mark_Seen(unsigned slots);
    void Start_Capture(unsigned slots);
    void Close(bool explicitly);
    void Leading_Child_Closed(Feature& feature, const OpenElement& child);
    void Decide(Feature& feature);
    std::string Element_For(const Feature& feature, FeatureOutcome& outcome) const;
    void Fill_Hole(Feature& feature, const std::string& element);

    std::optional<FeatureTimes> times_;
    std::string fixed_element_;
    bool container_chosen_ = false;
    bool container_written_ = false;
    bool scan_ended_ = false;
    bool hole_after_tag_ = false;  // a chosen feature's start tag is being passed

    MarkupScanner scanner_{*this};
    HeldOutput held_;
    OutputBuffer* out_ = nullptr;
    std::vector<OpenElement> open_;
    std::vector<Feature> features_;
    std::optional<Capture> capture_;
    FeatureCounts counts_;
};

}  // namespace zaveze
