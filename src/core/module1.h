// SPDX-License-Identifier: MIT
#pragma once
// Free text functions shared by the window and the command-line tool: path splitting for the
// output names, and the line cleaning that recognises a container-tag line.

#include <string>

namespace Module1 {

// The folder part of a path, with its trailing separator; empty when the path has no folder.
// Blanks around the path are ignored.
std::string Get_Folder(const std::string& path);

// The file name without folder and without anything from its first dot on.
std::string Get_Base_Name(const std::string& path);

// Turns tabs and line breaks into blanks and collapses runs of blanks into one. The collapsed
// form is stored back into `line`; the result is that form without leading and trailing blanks.
std::string Clean_Line(std::string& line);

}  // namespace Module1
