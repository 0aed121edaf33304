// SPDX-License-Identifier: MIT
// What the user is told about the result of an embedding.

#include "core/embed_result.h"
#include "core/messages.h"

namespace zaveze {

std::string Embed_Result_Message(const EmbedResult& result, const std::string& input,
                                 const std::string& output) {
    switch (result.status) {
        case EmbedStatus::Written:
            return result.features ? messages::Created_With_Times(output, *result.features)
                                   : messages::Created(output);
        case EmbedStatus::NoFeatureTimed:
            return messages::No_Feature_Timed(input, result.features.value_or(FeatureCounts{}));
        case EmbedStatus::HasTimeData:
            return std::string(messages::kTimeDataPresent);
        case EmbedStatus::NoContainerTag:
            return std::string(messages::kNoContainerTag);
        case EmbedStatus::SameFileAsInput:
            return std::string(messages::kSameAsInput);
        case EmbedStatus::OutputExists:
            return messages::Output_Taken(output) +
                   (result.reason.empty() ? "" : messages::Stopped_Run_Left(result.reason));
        case EmbedStatus::InputChanged:
            return messages::Input_Changed(input);
        case EmbedStatus::ReadFailed:
            return messages::Read_Failed(input, result.reason);
        case EmbedStatus::FolderFailed:
            return messages::Folder_Write_Failed(result.folder, result.reason);
        case EmbedStatus::ArchiveSpoolFailed:
            return messages::Archive_Spool_Failed(result.folder, result.reason);
        case EmbedStatus::PipeTooLarge:
            return messages::Pipe_Too_Large(input);
        case EmbedStatus::Cancelled:
            return std::string(messages::kCancelled);
        case EmbedStatus::NotKmz:
            return messages::Not_Kmz(input);
        case EmbedStatus::KmzUnsupported:
            return messages::Kmz_Unsupported(input);
        case EmbedStatus::ArchiveIntoKml:
            return messages::Archive_Into_Kml(input, output);
        case EmbedStatus::TextIntoKmz:
            return messages::Text_Into_Kmz(input, output);
        case EmbedStatus::KmzUnusable:
            return messages::Kmz_Unusable(input, result.reason);
        case EmbedStatus::Utf32:
            return messages::In_Utf32(input);
        case EmbedStatus::CutShortUtf16:
            return messages::Utf16_Cut_Short(input);
        case EmbedStatus::PipedArchive:
            return messages::Piped_Archive(input);
        case EmbedStatus::WriteFailed:
            break;
    }
    return messages::Write_Failed(output, result.reason);
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
        case InputVerdict::KmzUnusable:
            return {EmbedStatus::KmzUnusable, check.reason, {}};
        case InputVerdict::Utf32:
            return {EmbedStatus::Utf32, {}, {}};
        case InputVerdict::CutShortUtf16:
            return {EmbedStatus::CutShortUtf16, {}, {}};
        case InputVerdict::PipedArchive:
            return {EmbedStatus::PipedArchive, {}, {}};
        case InputVerdict::Accepted:
            break;
    }
    return {};
}

// The input's refusal in the same words as the embedding's.
std::optional<std::string> Input_Refusal_Message(const InputCheck& check, const std::string& path) {
    if (check.verdict == InputVerdict::Accepted) {
        return std::nullopt;
    }
    return Embed_Result_Message(From_Input_Check(check), path, {});
}

bool Is_Refusal(EmbedStatus status) {
    switch (status) {
        case EmbedStatus::HasTimeData:
        case EmbedStatus::NoContainerTag:
        case EmbedStatus::SameFileAsInput:
        case EmbedStatus::OutputExists:
        case EmbedStatus::NotKmz:
        case EmbedStatus::KmzUnsupported:
        case EmbedStatus::ArchiveIntoKml:
        case EmbedStatus::TextIntoKmz:
        case EmbedStatus::Utf32:
        case EmbedStatus::CutShortUtf16:
        case EmbedStatus::PipedArchive:
        case EmbedStatus::NoFeatureTimed:
            return true;
        case EmbedStatus::Written:
        case EmbedStatus::InputChanged:
        case EmbedStatus::ReadFailed:
        case EmbedStatus::WriteFailed:
        case EmbedStatus::FolderFailed:
        case EmbedStatus::ArchiveSpoolFailed:
        case EmbedStatus::PipeTooLarge:
        case EmbedStatus::Cancelled:
        case EmbedStatus::KmzUnusable:
            return false;
    }
    return false;
}

}  // namespace zaveze
