// SPDX-License-Identifier: MIT
#pragma once
// Paths as the system writes them: Windows separates folders with "\" or "/" and may start a
// path with a drive ("C:") or a server ("\\server\share"); POSIX systems with "/" alone. Every
// part of the program splits and joins paths here, and shows them in the system's own way.

#include <string>

namespace zaveze::platform {

// The folder part of a path exactly as given, with its separator ("" for a bare name, "/" for a
// file in the root, "C:" for "C:trip.kml"): the folder where a file of that name is.
std::string Folder_Of(const std::string& path);

// The file's name: what follows the folder part.
std::string File_Name_Of(const std::string& path);

// Whether `path` names its place without the working folder: from the root, and on Windows also
// from a drive ("C:\", even "C:") or a server ("\\server\share").
bool Is_Absolute_Path(const std::string& path);

// `name` in `folder`: with the system's separator between them, unless `folder` ends with one.
std::string In_Folder(const std::string& folder, const std::string& name);

// `path` from the working folder, as the system resolves it ("." and ".." gone on Windows); as
// given when it is absolute already or cannot be resolved.
std::string Absolute_Path(const std::string& path);

// A path as the system's own messages show it: with "\" on Windows, as given elsewhere.
std::string Shown_Path(std::string path);

#ifdef _WIN32
// A UTF-16 text of the system (an argument, a control's text, a path) as UTF-8, and back.
std::string Utf8_Of(const wchar_t* text);
std::wstring Utf16_Of(const std::string& text);
#endif

}  // namespace zaveze::platform
