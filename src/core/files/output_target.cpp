// SPDX-License-Identifier: MIT
#include "core/files/output_target.h"

#include <cctype>

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
        path = target->front() == '/' ? *target : Folder_Of(path) + *target;
    }
    return std::nullopt;
}

}  // namespace

std::string Folder_Of(const std::string& path) {
#ifdef _WIN32
    const std::size_t last_separator = path.find_last_of("\\/");
#else
    const std::size_t last_separator = path.rfind('/');
#endif
    return last_separator == std::string::npos ? std::string() : path.substr(0, last_separator + 1);
}

bool Is_Absolute_Path(const std::string& path) {
#ifdef _WIN32
    const bool from_drive =
        path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    return from_drive || path.starts_with('\\') || path.starts_with('/');
#else
    return path.starts_with('/');
#endif
}

std::string In_Folder(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    constexpr char kSeparator = '\\';
#else
    constexpr char kSeparator = '/';
#endif
    const bool ends_with_separator = !folder.empty() && Folder_Of(folder) == folder;
    return ends_with_separator ? folder + name : folder + kSeparator + name;
}

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
