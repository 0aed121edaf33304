// SPDX-License-Identifier: MIT
#include "core/engine/writing_pass.h"

#include <algorithm>
#include <vector>

#include "core/each/feature_time_stream.h"
#include "core/engine/background_writer.h"
#include "core/engine/embedding_stream.h"
#include "core/engine/text_source.h"
#include "core/engine/time_data_scan.h"

namespace zaveze {
namespace {

// Output goes out in pieces of about this size: fewer hand-overs, and still little memory.
constexpr std::size_t kHandOverSize = 8 * kBlockSize;

// Output for a file, written by a thread of its own in whole blocks, so that every write starts
// on a page boundary of the file.
class ThreadedFileOutput : public PassOutput {
  public:
    explicit ThreadedFileOutput(int fd) : writer_(fd) {}
    void Take(OutputBuffer& out, bool last) override {
        const std::size_t ready = last ? out.Size() : out.Size() / kBlockSize * kBlockSize;
        const std::string rest(out.View().substr(ready));
        out = writer_.Hand_Over(std::move(out), ready);
        out.Append(rest);
    }
    bool Failed() override { return writer_.Failed(); }
    int Finish() { return writer_.Finish(); }

  private:
    BackgroundWriter writer_;
};

// Output for a UTF-16 input: the UTF-8 that the embedding made, converted back.
class Utf16Output : public PassOutput {
  public:
    Utf16Output(PassOutput& output, bool big_endian) : output_(output), encoder_(big_endian) {}
    void Take(OutputBuffer& out, bool last) override {
        std::string converted;
        out.Drop_Front(encoder_.Encode(out.View(), converted));
        converted_.Append(converted);
        output_.Take(converted_, last);
    }
    bool Failed() override { return output_.Failed(); }

  private:
    PassOutput& output_;
    Utf16Encoder encoder_;
    OutputBuffer converted_;  // what `output_` has not taken yet
};

class DiscardingOutput : public PassOutput {
  public:
    void Take(OutputBuffer& out, bool) override { out.Clear(); }
    bool Failed() override { return false; }
};

std::unique_ptr<TextTransformation> Make_Transformation(const Embedding& embedding) {
    if (embedding.each) {
        return std::make_unique<FeatureTimeStream>(*embedding.each);
    }
    if (embedding.keep_layout) {
        return std::make_unique<FeatureTimeStream>(embedding.element_text);
    }
    return std::make_unique<EmbeddingStream>(embedding.element_text);
}

// Hands output that the transformation held back and now releases to `sink`, in bounded pieces.
void Release_Held(TextTransformation& stream, OutputBuffer& out, PassOutput& sink) {
    while (stream.Release(out)) {
        if (out.Size() >= kHandOverSize) {
            sink.Take(out, false);
        }
    }
}

}  // namespace

EmbedResult Run_Writing_Pass(const ByteReader& read, PassOutput& output, const Embedding& embedding,
                             JobControl* control) {
    TextSource text(read);
    if (!text.Start()) {
        return Read_Failure(errno);
    }
    if (text.Encoding() == TextEncoding::Utf32) {
        return {EmbedStatus::Utf32, {}, {}};
    }
    Utf16Output utf16_output(output, text.Encoding() == TextEncoding::Utf16BigEndian);
    PassOutput& sink = text.Is_Utf16() ? utf16_output : output;
    const std::unique_ptr<TextTransformation> stream = Make_Transformation(embedding);
    TimeDataScanner time_data;
    std::vector<char> block;
    OutputBuffer out;
    std::size_t carried = 0;  // bytes kept at the block's front for the next round
    for (;;) {
        // Room for a whole block after the carried bytes: a tag that is not yet whole may be
        // longer than a block.
        block.resize(carried + kBlockSize);
        const std::int64_t count = text.Read(block.data() + carried, kBlockSize);
        if (count < 0) {
            return Read_Failure(errno);
        }
        const auto fresh = static_cast<std::size_t>(count);
        if (control != nullptr && !control->Go_On(text.File_Bytes_Read())) {
            return {EmbedStatus::Cancelled, {}, {}};
        }
        if (embedding.Refuses_Time_Data() &&
            time_data.Feed(std::string_view(block.data() + carried, fresh))) {
            return {EmbedStatus::HasTimeData, {}, {}};
        }
        const std::string_view bytes(block.data(), carried + fresh);
        if (count == 0) {
            if (text.Cut_Short()) {
                return {EmbedStatus::CutShortUtf16, {}, {}};
            }
            stream->Finish(bytes, out);
            Release_Held(*stream, out, sink);
            sink.Take(out, true);
            break;
        }
        const std::size_t used = stream->Transform(bytes, out);
        Release_Held(*stream, out, sink);
        carried = bytes.size() - used;
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end(), block.begin());
        if (out.Size() >= kHandOverSize) {
            sink.Take(out, false);
            if (sink.Failed()) {
                break;  // a full disk: reading the rest would only waste time
            }
        }
    }
    return stream->Result();
}

EmbedResult Copy_With_Element(InputFile& input, int output_fd, const Embedding& embedding,
                              JobControl* control) {
    ThreadedFileOutput output(output_fd);
    EmbedResult result = Run_Writing_Pass(
        [&input](char* buffer, std::size_t size) { return input.Read(buffer, size); }, output,
        embedding, control);
    if (result.status != EmbedStatus::Written && result.status != EmbedStatus::NoContainerTag &&
        result.status != EmbedStatus::NoFeatureTimed) {
        return result;
    }
    if (const int error = output.Finish(); error != 0) {
        return Write_Failure(error);
    }
    return result;
}

EmbedResult Writing_Pass_Verdict(InputFile& input, const Embedding& embedding) {
    DiscardingOutput nowhere;
    return Run_Writing_Pass(
        [&input](char* buffer, std::size_t size) { return input.Read(buffer, size); }, nowhere,
        embedding, nullptr);
}

EmbedResult Read_Failure(int error) {
    return {EmbedStatus::ReadFailed, Error_Text(error), {}};
}

EmbedResult Write_Failure(int error) {
    return {EmbedStatus::WriteFailed, Error_Text(error), {}};
}

EmbedResult Copy_Rest(int from, int to) {
    std::vector<char> block(kBlockSize);
    for (;;) {
        const std::int64_t count = Read_Some(from, block.data(), block.size());
        if (count < 0) {
            return Read_Failure(errno);
        }
        if (count == 0) {
            return {};
        }
        if (!Write_All(to, std::string_view(block.data(), static_cast<std::size_t>(count)))) {
            return Write_Failure(errno);
        }
    }
}

}  // namespace zaveze
