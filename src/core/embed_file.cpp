// SPDX-License-Identifier: MIT
#include "core/embed_file.h"

#include <fcntl.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/background_writer.h"
#include "core/embedding_stream.h"
#include "core/input_check.h"
#include "core/input_file.h"
#include "core/kmz.h"
#include "core/messages.h"
#include "core/output_target.h"
#include "core/time_data_scan.h"

namespace zaveze {
namespace {

// Small enough that a block stays in the processor's cache between reading, transforming and
// writing it. Measured: reads of 128 KiB and more took four times as long per byte as 64 KiB
// reads (see bench/RESULTS.md).
constexpr std::size_t kBlockSize = 64 << 10;
// Output goes to the writing thread in pieces of about this size: fewer hand-overs, and still
// little memory.
constexpr std::size_t kHandOverSize = 8 * kBlockSize;

EmbedResult Read_Failure(int error) {
    return {EmbedStatus::ReadFailed, Error_Text(error), {}};
}
EmbedResult Write_Failure(int error) {
    return {EmbedStatus::WriteFailed, Error_Text(error), {}};
}

EmbedResult From_Write_Failure(const WriteFailure& failure) {
    switch (failure.where) {
        case WriteFailure::Where::Folder:
            return {EmbedStatus::FolderFailed, failure.reason, failure.folder};
        case WriteFailure::Where::NameTaken:
            return {EmbedStatus::OutputExists, {}, {}};
        case WriteFailure::Where::File:
            break;
    }
    return {EmbedStatus::WriteFailed, failure.reason, {}};
}

// Hands the output's whole blocks to the writer, keeping the rest for the next round. Whole
// blocks only, so that every write starts on a page boundary of the file.
void Hand_Over_Whole_Blocks(BackgroundWriter& writer, OutputBuffer& out, bool last) {
    const std::size_t ready = last ? out.Size() : out.Size() / kBlockSize * kBlockSize;
    const std::string rest(out.View().substr(ready));
    out = writer.Hand_Over(std::move(out), ready);
    out.Written_Until(std::copy(rest.begin(), rest.end(), out.Room_For(rest.size())));
}

// Streams the input once through the transformation and the time-data scan into `output_fd`.
EmbedResult Copy_With_Element(InputFile& input, int output_fd, const std::string& element_text,
                              JobControl* control = nullptr) {
    std::uint64_t bytes_read = 0;
    EmbeddingStream stream(element_text);
    TimeDataScanner time_data;
    std::vector<char> block(kBlockSize);
    BackgroundWriter writer(output_fd);
    OutputBuffer out;
    std::size_t carried = 0;  // bytes kept at the block's front for the next round
    for (;;) {
        const ssize_t count = input.Read(block.data() + carried, block.size() - carried);
        if (count < 0) {
            return Read_Failure(errno);
        }
        const auto fresh = static_cast<std::size_t>(count);
        bytes_read += fresh;
        if (control != nullptr && !control->Go_On(bytes_read)) {
            return {EmbedStatus::Cancelled, {}, {}};
        }
        if (time_data.Feed(std::string_view(block.data() + carried, fresh))) {
            return {EmbedStatus::HasTimeData, {}, {}};
        }
        const std::string_view bytes(block.data(), carried + fresh);
        if (count == 0) {
            stream.Finish(bytes, out);
            Hand_Over_Whole_Blocks(writer, out, true);
            break;
        }
        const std::size_t used = stream.Transform(bytes, out);
        carried = bytes.size() - used;
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end(), block.begin());
        if (out.Size() >= kHandOverSize) {
            Hand_Over_Whole_Blocks(writer, out, false);
            if (writer.Failed()) {
                break;  // a full disk: reading the rest would only waste time
            }
        }
    }
    if (const int error = writer.Finish(); error != 0) {
        return Write_Failure(error);
    }
    if (!stream.Element_Written()) {
        return {EmbedStatus::NoContainerTag, {}, {}};
    }
    return {};
}

EmbedResult Spool(InputFile& input);

}  // namespace

EmbedResult Embed_File(const std::string& input_path, const std::string& output,
                       const std::string& element_text, Replacing replacing, JobControl* control) {
    InputFile input;
    if (const auto reason = input.Open(input_path)) {
        return {EmbedStatus::ReadFailed, *reason, {}};
    }
    const OutputTarget target = Examine_Output(output, input.Identity());
    switch (target.state) {
        case OutputState::SameAsInput:
            return {EmbedStatus::SameFileAsInput, {}, {}};
        case OutputState::NotRegularFile:
            return {EmbedStatus::WriteFailed, target.reason, {}};
        case OutputState::ExistingFile:
            if (replacing == Replacing::Never) {
                return {EmbedStatus::OutputExists, {}, {}};
            }
            break;
        case OutputState::Free:
            break;
    }

    // An archive is read out of order, so a piped one is held in a spool file first. A pipe
    // shows what it carries only when read: one meant for a ".kmz" output is held too, and then
    // its first bytes tell.
    bool kmz = Is_Kmz_Input(input_path, input);
    if (!input.Is_Regular() && (kmz || Has_Kmz_Name(output))) {
        if (EmbedResult spooled = Spool(input); spooled.status != EmbedStatus::Written) {
            return spooled;
        }
        kmz = Is_Kmz_Input(input_path, input);
    }
    SafeOutput safe_output;
    if (const auto failure = safe_output.Create(target.write_path)) {
        return From_Write_Failure(*failure);
    }
    if (EmbedResult copied =
            kmz ? Write_Kmz(input, safe_output.Fd(), element_text, control)
                : Copy_With_Element(input, safe_output.Fd(), element_text, control);
        copied.status != EmbedStatus::Written) {
        return copied;
    }
    if (kmz ? input.Changed_Since_Opened() : input.Changed_While_Read()) {
        return {EmbedStatus::InputChanged, {}, {}};
    }
    if (const auto failure = safe_output.Commit(replacing)) {
        return From_Write_Failure(*failure);
    }
    return {};
}

namespace {

// Copies a piped input into an unnamed file in the temporary folder and makes that the input.
EmbedResult Spool(InputFile& input) {
    std::error_code ignored;
    const std::string folder = std::filesystem::temp_directory_path(ignored).string();
    FileDescriptor spool(
        ::open(folder.empty() ? "/tmp" : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (!spool.Is_Open()) {
        return {EmbedStatus::FolderFailed, Error_Text(errno), folder};
    }
    std::vector<char> block(kBlockSize);
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t count = input.Read(block.data(), block.size());
        if (count < 0) {
            return Read_Failure(errno);
        }
        if (count == 0) {
            break;
        }
        total += static_cast<std::uint64_t>(count);
        if (total > kMaxSpoolBytes) {
            return {EmbedStatus::PipeTooLarge, {}, {}};
        }
        if (!Write_All(spool.Get(),
                       std::string_view(block.data(), static_cast<std::size_t>(count)))) {
            return {EmbedStatus::FolderFailed, Error_Text(errno), folder};
        }
    }
    if (::lseek(spool.Get(), 0, SEEK_SET) != 0) {
        return Read_Failure(errno);
    }
    if (const auto reason = input.Adopt(std::move(spool))) {
        return {EmbedStatus::ReadFailed, *reason, {}};
    }
    return {};
}

// An archive is written with seeks back to its headers, which a pipe cannot take: it is made
// whole in an unnamed temporary file first, then copied out.
EmbedResult Kmz_To_Descriptor(InputFile& input, int output_fd, const std::string& element_text) {
    std::error_code ignored;
    const std::string folder = std::filesystem::temp_directory_path(ignored).string();
    FileDescriptor archive(
        ::open(folder.empty() ? "/tmp" : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (!archive.Is_Open()) {
        return {EmbedStatus::FolderFailed, Error_Text(errno), folder};
    }
    if (EmbedResult written = Write_Kmz(input, archive.Get(), element_text);
        written.status != EmbedStatus::Written) {
        return written;
    }
    if (::lseek(archive.Get(), 0, SEEK_SET) != 0) {
        return Read_Failure(errno);
    }
    std::vector<char> block(kBlockSize);
    for (;;) {
        const ssize_t count = Read_Some(archive.Get(), block.data(), block.size());
        if (count < 0) {
            return Read_Failure(errno);
        }
        if (count == 0) {
            return {};
        }
        if (!Write_All(output_fd,
                       std::string_view(block.data(), static_cast<std::size_t>(count)))) {
            return Write_Failure(errno);
        }
    }
}

EmbedResult From_Input_Check(const InputCheck& check) {
    switch (check.verdict) {
        case InputVerdict::HasTimeData:
            return {EmbedStatus::HasTimeData, {}, {}};
        case InputVerdict::NoContainerTag:
            return {EmbedStatus::NoContainerTag, {}, {}};
        case InputVerdict::Unreadable:
            return {EmbedStatus::ReadFailed, check.reason, {}};
        case InputVerdict::Cancelled:
            return {EmbedStatus::Cancelled, {}, {}};
        case InputVerdict::NotKmz:
            return {EmbedStatus::NotKmz, {}, {}};
        case InputVerdict::KmzUnsupported:
            return {EmbedStatus::KmzUnsupported, {}, {}};
        case InputVerdict::Accepted:
            break;
    }
    return {};
}

}  // namespace

EmbedResult Embed_To_Descriptor(const std::string& input_path, int output_fd,
                                const std::string& element_text) {
    InputFile input;
    if (const auto reason = input.Open(input_path)) {
        return {EmbedStatus::ReadFailed, *reason, {}};
    }
    if (!input.Is_Regular()) {
        if (EmbedResult spooled = Spool(input); spooled.status != EmbedStatus::Written) {
            return spooled;
        }
    }
    if (Is_Kmz_Input(input_path, input)) {
        return Kmz_To_Descriptor(input, output_fd, element_text);
    }
    if (EmbedResult checked = From_Input_Check(Check_Input(input));
        checked.status != EmbedStatus::Written) {
        return checked;
    }
    if (!input.Rewind()) {
        return Read_Failure(errno);
    }
    EmbedResult result = Copy_With_Element(input, output_fd, element_text);
    if (result.status == EmbedStatus::Written && input.Changed_While_Read()) {
        return {EmbedStatus::InputChanged, {}, {}};
    }
    return result;
}

std::string Embed_Result_Message(const EmbedResult& result, const std::string& input,
                                 const std::string& output) {
    switch (result.status) {
        case EmbedStatus::Written:
            return messages::Created(output);
        case EmbedStatus::HasTimeData:
            return std::string(messages::kTimeDataPresent);
        case EmbedStatus::NoContainerTag:
            return std::string(messages::kNoContainerTag);
        case EmbedStatus::SameFileAsInput:
            return std::string(messages::kSameAsInput);
        case EmbedStatus::OutputExists:
            return messages::Output_Taken(output);
        case EmbedStatus::InputChanged:
            return messages::Input_Changed(input);
        case EmbedStatus::ReadFailed:
            return messages::Read_Failed(input, result.reason);
        case EmbedStatus::FolderFailed:
            return messages::Folder_Write_Failed(result.folder, result.reason);
        case EmbedStatus::PipeTooLarge:
            return messages::Pipe_Too_Large(input);
        case EmbedStatus::Cancelled:
            return std::string(messages::kCancelled);
        case EmbedStatus::NotKmz:
            return messages::Not_Kmz(input);
        case EmbedStatus::KmzUnsupported:
            return messages::Kmz_Unsupported(input);
        case EmbedStatus::WriteFailed:
            break;
    }
    return messages::Write_Failed(output, result.reason);
}

bool Is_Refusal(EmbedStatus status) {
    switch (status) {
        case EmbedStatus::HasTimeData:
        case EmbedStatus::NoContainerTag:
        case EmbedStatus::SameFileAsInput:
        case EmbedStatus::OutputExists:
        case EmbedStatus::NotKmz:
        case EmbedStatus::KmzUnsupported:
            return true;
        default:
            return false;
    }
}

}  // namespace zaveze
