// SPDX-License-Identifier: MIT
#include "core/files/output_target.h"

#include "core/files/file_descriptor.h"
#include "core/messages.h"

namespace zaveze {
namespace {

using platform::FileKind;

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

// Follows the symbolic links of `path` to the name that the new file takes, so that a link stays
// a link. A link that leads to nothing yet leads to the name the file will have. None when the
// links go round in circles.
std::optional<std::string> Follow_Links(std::string path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        const auto status = platform::Status_Of_Path(path, false);
        if (!status || status->kind != FileKind::SymbolicLink) {
            return path;
        }
        const auto target = platform::Link_Text(path);
        if (!target || target->empty()) {
            return std::nullopt;
        }
        path = target->front() == '/' ? *target : platform::Folder_Of(path) + *target;
    }
    return std::nullopt;
}

}  // namespace

OutputTarget Examine_Output(const std::string& output, std::optional<FileIdentity> input) {
    if (!platform::Status_Of_Path(output, false)) {
        return {OutputState::Free, {}, output};
    }
    const auto write_path = Follow_Links(output);
    if (!write_path) {
        return {OutputState::NotRegularFile, std::string(messages::kLinkLoop), output};
    }
    const auto status = platform::Status_Of_Path(*write_path, true);
    if (!status) {
        // A dangling link: the name is taken, and writing creates the file it points to.
        return {OutputState::ExistingFile, {}, *write_path};
    }
    if (input && *input == status->identity) {
        return {OutputState::SameAsInput, {}, *write_path};
    }
    if (status->kind == FileKind::Directory) {
        return {OutputState::NotRegularFile, Error_Text(EISDIR), *write_path};
    }
    if (status->kind != FileKind::Regular) {
        return {OutputState::NotRegularFile, std::string(messages::kNotRegularFile), *write_path};
    }
    return {OutputState::ExistingFile, {}, *write_path};
}

}  // namespace zaveze
