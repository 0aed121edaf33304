// SPDX-License-Identifier: MIT
#include "core/output_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "core/messages.h"
#include "core/posix_file.h"

namespace zaveze {
namespace {

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

std::string Link_Text(const std::string& link) {
    std::vector<char> text(256);
    for (;;) {
        const ssize_t length = ::readlink(link.c_str(), text.data(), text.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < text.size()) {
            return std::string(text.data(), static_cast<std::size_t>(length));
        }
        text.resize(text.size() * 2);
    }
}

// Follows the symbolic links of `path` to the name that the new file takes, so that a link stays
// a link. A link that leads to nothing yet leads to the name the file will have. None when the
// links go round in circles.
std::optional<std::string> Follow_Links(std::string path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        const std::string target = Link_Text(path);
        if (target.empty()) {
            return std::nullopt;
        }
        path = target.front() == '/' ? target : Folder_Of(path) + target;
    }
    return std::nullopt;
}

}  // namespace

std::string Folder_Of(const std::string& path) {
    const std::size_t last_separator = path.rfind('/');
    return last_separator == std::string::npos ? std::string() : path.substr(0, last_separator + 1);
}

OutputTarget Examine_Output(const std::string& output, std::optional<FileIdentity> input) {
    struct stat link_status {};
    if (::lstat(output.c_str(), &link_status) != 0) {
        return {OutputState::Free, {}, output};
    }
    const auto write_path = Follow_Links(output);
    if (!write_path) {
        return {OutputState::NotRegularFile, std::string(messages::kLinkLoop), output};
    }
    struct stat status {};
    if (::stat(write_path->c_str(), &status) != 0) {
        // A dangling link: the name is taken, and writing creates the file it points to.
        return {OutputState::ExistingFile, {}, *write_path};
    }
    if (input && *input == FileIdentity{status.st_dev, status.st_ino}) {
        return {OutputState::SameAsInput, {}, *write_path};
    }
    if (S_ISDIR(status.st_mode)) {
        return {OutputState::NotRegularFile, Error_Text(EISDIR), *write_path};
    }
    if (!S_ISREG(status.st_mode)) {
        return {OutputState::NotRegularFile, std::string(messages::kNotRegularFile), *write_path};
    }
    return {OutputState::ExistingFile, {}, *write_path};
}

}  // namespace zaveze
