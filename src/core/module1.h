// SPDX-License-Identifier: MIT
#pragma once
// Free text functions: path splitting, for the output and scratch names, and the specified line
// cleaning that recognises a container-tag line. The engine recognises container tags itself as
// it streams (engine/container_tags.h); Clean_Line is the rule it must agree with, and the
// two-pass model that the tests and the fuzzer compare the engine with uses it.

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
