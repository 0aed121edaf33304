// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the embedding engine, whole and in blocks of a random size, and to the
// two-pass model, and stops at the first difference. The time-data scan that runs inside
// the writing pass gets the same blocks and is compared with a plain search of the whole input;
// read as UTF-16, the input must come back unchanged through the decoder and the encoder.
//
// The first bytes of the fuzzer's input choose the settings: the mode, which dates are given,
// and the block size; the rest is the KML input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/engine/embedding_stream.h"
#include "core/engine/text_encoding.h"
#include "core/engine/time_data_scan.h"
#include "core/time_element.h"
#include "support/two_pass_model.h"

namespace {

constexpr std::size_t kSettingBytes = 2;

void Fail(const char* what, const std::string& expected, const std::string& actual) {
    std::fprintf(stderr, "%s differs from the two-pass model (%zu bytes expected, %zu written)\n",
                 what, expected.size(), actual.size());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingBytes) {
        return 0;
    }
    const std::uint8_t settings = data[0];
    const std::size_t block_size = 1 + data[1] % 64;
    const std::string_view input(reinterpret_cast<const char*>(data) + kSettingBytes,
                                 size - kSettingBytes);

    zaveze::TimeElement element;
    element.mode = (settings & 1) != 0 ? zaveze::TimeMode::TimeStamp : zaveze::TimeMode::TimeSpan;
    element.begin = (settings & 2) != 0 ? "2007-10-02T15:45:12-05:00" : "";
    element.end = (settings & 4) != 0 ? "-0044" : "";
    if (zaveze::Element_Refusal(element)) {
        element.begin = "2007";  // the program never writes an element without a date
    }
    const std::string element_text = zaveze::Time_Element_Text(element);
    const std::string expected = zaveze::testing::Model_Embed(
        std::string(input), {element.mode, element.begin, element.end});

    const zaveze::EmbeddedText whole = zaveze::Embed_Text(input, element_text);
    if (whole.text != expected) {
        Fail("the whole-input transform", expected, whole.text);
    }

    zaveze::EmbeddingStream stream(element_text);
    zaveze::TimeDataScanner time_data;
    zaveze::OutputBuffer out;
    std::string pending;
    for (std::size_t start = 0; start < input.size(); start += block_size) {
        time_data.Feed(input.substr(start, block_size));
        pending.append(input.substr(start, block_size));
        pending.erase(0, stream.Transform(pending, out));
    }
    const bool has_time_data = input.find("TimeStamp") != std::string_view::npos ||
                               input.find("TimeSpan") != std::string_view::npos;
    if (time_data.Found() != has_time_data) {
        Fail("the block-wise time-data scan", has_time_data ? "found" : "none",
             time_data.Found() ? "found" : "none");
    }
    stream.Finish(pending, out);
    if (out.View() != expected) {
        Fail("the block-wise transform", expected, std::string(out.View()));
    }
    if (stream.Element_Written() !=
        zaveze::testing::Model_Chosen_Tag(std::string(input)).has_value()) {
        Fail("the element-written report", expected, std::string(out.View()));
    }

    // As UTF-16, any code units, paired or not, come back byte for byte through the text layer.
    const std::string_view units = input.substr(0, input.size() & ~std::size_t{1});
    for (const bool big_endian : {false, true}) {
        zaveze::Utf16Decoder decoder(big_endian);
        std::string text, bytes;
        for (std::size_t start = 0; start < units.size(); start += block_size) {
            decoder.Decode(units.substr(start, block_size), text);
        }
        if (!decoder.Finish(text) ||
            zaveze::Utf16Encoder(big_endian).Encode(text, bytes) != text.size() || bytes != units) {
            Fail("the UTF-16 round trip", std::string(units), bytes);
        }
    }
    return 0;
}
