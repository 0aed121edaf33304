// SPDX-License-Identifier: MIT
#pragma once
// The parts of a path that output names are made from: its folder and its base name.

#include <string>

namespace Module1 {

// The folder part of a path, with its trailing separator; empty when the path has no folder.
// Blanks around the path are ignored.
std::string Get_Folder(const std::string& path);

// The file name without folder and without anything from its first dot on.
std::string Get_Base_Name(const std::string& path);

}  // namespace Module1
