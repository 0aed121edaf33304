// SPDX-License-Identifier: MIT
#include "core/embed_file.h"

#include "core/engine/writing_pass.h"
#include "core/files/input_file.h"
#include "core/files/output_target.h"
#include "core/files/safe_output.h"
#include "core/files/spool.h"
#include "core/kmz/kmz.h"

namespace zaveze {
namespace {

// The output's name is taken; `reason` names a scratch file that a stopped run may have left.
EmbedResult Output_Exists(const std::string& path) {
    return {EmbedStatus::OutputExists, Stopped_Run_Scratch(path).value_or(""), {}};
}

EmbedResult From_Write_Failure(const WriteFailure& failure, const std::string& path) {
    switch (failure.where) {
        case WriteFailure::Where::Folder:
            return {EmbedStatus::FolderFailed, failure.reason, failure.folder};
        case WriteFailure::Where::NameTaken:
            return Output_Exists(path);
        case WriteFailure::Where::File:
            break;
    }
    return {EmbedStatus::WriteFailed, failure.reason, {}};
}

}  // namespace

std::optional<EmbedResult> Output_Refusal(const OutputTarget& target, Replacing replacing) {
    switch (target.state) {
        case OutputState::SameAsInput:
            return EmbedResult{EmbedStatus::SameFileAsInput, {}, {}};
        case OutputState::NotRegularFile:
            return EmbedResult{EmbedStatus::WriteFailed, target.reason, {}};
        case OutputState::ExistingFile:
            if (replacing == Replacing::Never) {
                return Output_Exists(target.write_path);
            }
            break;
        case OutputState::Free:
            break;
    }
    return std::nullopt;
}

EmbedResult Embed_File(const std::string& input_path, const std::string& output,
                       const Embedding& embedding, Replacing replacing, JobControl* control,
                       const platform::FileNaming& naming) {
    InputFile input;
    if (const auto reason = input.Open(input_path)) {
        return {EmbedStatus::ReadFailed, *reason, {}};
    }
    const OutputTarget target = Examine_Output(output, input.Identity());
    if (auto refusal = Output_Refusal(target, replacing)) {
        return *refusal;
    }

    const std::uint32_t permissions = input.Permissions_For_Copy();  // before a spool replaces it
    bool kmz = false;
    if (EmbedResult known = Learn_Input_Kind(input_path, input, kmz);
        known.status != EmbedStatus::Written) {
        return known;
    }
    if (const auto mismatch = Kind_Mismatch(kmz, output)) {
        return {*mismatch, {}, {}};
    }
    SafeOutput safe_output(naming);
    if (const auto failure = safe_output.Create(target.write_path, permissions)) {
        return From_Write_Failure(*failure, target.write_path);
    }
    EmbedResult copied = kmz ? Write_Kmz(input, safe_output.Fd(), embedding, control)
                             : Copy_With_Element(input, safe_output.Fd(), embedding, control);
    if (!kmz && Piped_As_Text_But_An_Archive(input)) {
        return {EmbedStatus::PipedArchive, {}, {}};  // whatever the text's own verdict was
    }
    if (copied.status != EmbedStatus::Written) {
        return copied;
    }
    if (kmz ? input.Changed_Since_Opened() : input.Changed_While_Read()) {
        return {EmbedStatus::InputChanged, {}, {}};
    }
    if (const auto failure = safe_output.Commit(replacing)) {
        return From_Write_Failure(*failure, target.write_path);
    }
    return copied;  // with what came of each feature, when each has its own time
}

}  // namespace zaveze
