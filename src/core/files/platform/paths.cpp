// SPDX-License-Identifier: MIT
#include "core/files/platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>

namespace zaveze::platform {
namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "\\/:";  // a drive's ":" ends a folder part too
constexpr char kSeparator = '\\';
#else
constexpr const char* kSeparators = "/";
constexpr char kSeparator = '/';
#endif

}  // namespace

std::string Folder_Of(const std::string& path) {
    const std::size_t last_separator = path.find_last_of(kSeparators);
    return last_separator == std::string::npos ? std::string() : path.substr(0, last_separator + 1);
}

std::string File_Name_Of(const std::string& path) {
    return path.substr(Folder_Of(path).size());
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
    const bool ends_with_separator = !folder.empty() && Folder_Of(folder) == folder;
    return ends_with_separator ? folder + name : folder + kSeparator + name;
}

std::string Absolute_Path(const std::string& path) {
#ifdef _WIN32
    const std::wstring wide = Utf16_Of(path);
    std::wstring full(::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length =
        ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return path;
    }
    full.resize(length);
    return Utf8_Of(full.c_str());
#else
    if (path.empty() || Is_Absolute_Path(path)) {
        return path;
    }
    std::string folder(4096, '\0');
    if (::getcwd(folder.data(), folder.size()) == nullptr) {
        return path;
    }
    folder.resize(folder.find('\0'));
    return In_Folder(folder, path);
#endif
}

std::string Shown_Path(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

}  // namespace zaveze::platform
