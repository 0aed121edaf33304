// SPDX-License-Identifier: MIT
// What the user is told about the result of an embedding.

#include "core/embed_file.h"
#include "core/messages.h"

namespace zaveze {

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
