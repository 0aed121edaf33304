// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the embeddings that keep every byte (each feature's own time, with its
// counts, and the one element of the kept layout), in pieces of a random size, and to the plain
// model written apart from them, and stops at the first difference.
//
// The first byte of the fuzzer's input chooses the sources, the second the piece size; the rest
// is the KML input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/each/feature_time_stream.h"
#include "support/feature_time_model.h"

namespace {

constexpr std::size_t kSettingBytes = 2;

std::string Transform_All(zaveze::TextTransformation& stream, std::string_view input,
                          std::size_t piece) {
    zaveze::OutputBuffer out;
    for (std::size_t at = 0; at < input.size(); at += piece) {
        stream.Transform(input.substr(at, piece), out);
        while (stream.Release(out)) {
        }
    }
    stream.Finish({}, out);
    while (stream.Release(out)) {
    }
    return std::string(out.View());
}

void Fail(const char* what) {
    std::fprintf(stderr, "%s differs from the model\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingBytes) {
        return 0;
    }
    const std::string_view sources[] = {"data:year", "name", "description", "data:end"};
    const std::uint8_t settings = data[0];
    const std::size_t piece = 1 + data[1] % 64;
    const std::string input(reinterpret_cast<const char*>(data) + kSettingBytes,
                            size - kSettingBytes);

    zaveze::FeatureTimes times;
    zaveze::testing::ModelFeatureTimes model_times;
    const std::string first(sources[settings % 4]), second(sources[(settings >> 2) % 4]);
    if ((settings & 16) != 0) {
        times.mode = model_times.mode = zaveze::TimeMode::TimeSpan;
        times.begin = zaveze::Read_Time_Source(first);
        times.end = zaveze::Read_Time_Source(second);
        model_times.begin = first;
        model_times.end = second;
    } else {
        times.stamp = zaveze::Read_Time_Source(first);
        model_times.stamp = first;
    }
    if ((settings & 32) != 0) {
        times.zone = model_times.zone = "+05:30";
    }
    zaveze::FeatureTimeStream each(times);
    const auto model = zaveze::testing::Model_Time_Features(input, model_times);
    if (Transform_All(each, input, piece) != model.text) {
        Fail("each feature's time");
    }
    const zaveze::EmbedResult result = each.Result();
    const zaveze::FeatureCounts& counts = *result.features;
    if (counts.timed != model.timed || counts.already_timed != model.already_timed ||
        counts.without_date != model.without_date) {
        Fail("the feature counts");
    }
    const std::string element = "<TimeStamp><when>2007</when></TimeStamp>";
    zaveze::FeatureTimeStream kept(element);
    if (Transform_All(kept, input, piece) !=
        zaveze::testing::Model_Keep_Layout(input, element).value_or(input)) {
        Fail("the kept layout");
    }
    return 0;
}
