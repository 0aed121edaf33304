// SPDX-License-Identifier: MIT
// Embedding into a stream (standard output): nothing can be taken back once written, so the
// input is checked whole before the first byte goes out.

#include "core/embed_to_stream.h"

#include "core/embed_file.h"
#include "core/engine/writing_pass.h"
#include "core/files/spool.h"
#include "core/input_check.h"
#include "core/kmz/kmz.h"

namespace zaveze {
namespace {

// An archive is written with seeks back to its headers, which a pipe cannot take: it is made
// whole in an unnamed temporary file first, then copied out.
EmbedResult Kmz_To_Descriptor(InputFile& input, int output_fd, const Embedding& embedding) {
    FileDescriptor archive;
    if (auto failure = Open_Temporary_File(archive)) {
        return *failure;
    }
    EmbedResult written = Write_Kmz(input, archive.Get(), embedding);
    if (written.status != EmbedStatus::Written) {
        if (written.status == EmbedStatus::WriteFailed) {  // the temporary file, not the output
            return {EmbedStatus::ArchiveSpoolFailed, written.reason, platform::Temporary_Folder()};
        }
        return written;
    }
    if (platform::Seek(archive.Get(), 0, 0) != 0) {
        return Read_Failure(errno);
    }
    if (EmbedResult copied = Copy_Rest(archive.Get(), output_fd);
        copied.status != EmbedStatus::Written) {
        return copied;
    }
    return written;
}

}  // namespace

EmbedResult Embed_To_Descriptor(const std::string& input_path, int output_fd,
                                const Embedding& embedding) {
    InputFile input;
    if (const auto reason = input.Open(input_path)) {
        return {EmbedStatus::ReadFailed, *reason, {}};
    }
    if (EmbedResult spooled = Spool(input); spooled.status != EmbedStatus::Written) {
        return spooled;
    }
    bool kmz = false;
    if (EmbedResult known = Learn_Input_Kind(input_path, input, kmz);
        known.status != EmbedStatus::Written) {
        return known;
    }
    if (kmz) {
        return Kmz_To_Descriptor(input, output_fd, embedding);
    }
    // Each feature's time is known only once the whole text is read: a first pass tells.
    if (EmbedResult checked = embedding.Refuses_Time_Data()
                                  ? From_Input_Check(Check_Input(input))
                                  : Writing_Pass_Verdict(input, embedding);
        checked.status != EmbedStatus::Written) {
        return checked;
    }
    if (!input.Rewind()) {
        return Read_Failure(errno);
    }
    EmbedResult result = Copy_With_Element(input, output_fd, embedding);
    if (result.status == EmbedStatus::Written && input.Changed_While_Read()) {
        return {EmbedStatus::InputChanged, {}, {}};
    }
    return result;
}

}  // namespace zaveze
