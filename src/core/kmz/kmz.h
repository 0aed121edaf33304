// SPDX-License-Identifier: MIT
#pragma once
// KMZ archives: a ZIP archive whose main document is the first entry of its central directory
// whose name ends in ".kml" (any letter case), as KML viewers choose it. The checks run on that
// entry, and the output is the same archive with the time element in the main document.

#include <optional>
#include <string>
#include <string_view>

#include "core/embed_result.h"
#include "core/files/input_file.h"
#include "core/input_check.h"
#include "core/job_control.h"

namespace zaveze {

// Whether the program was built with KMZ support (zlib).
bool Kmz_Supported();

// Whether a name ends in `extension` (such as ".kml"), in any letter case.
bool Has_Extension(std::string_view name, std::string_view extension);

// Whether a name ends in ".kmz", in any letter case.
bool Has_Kmz_Name(const std::string& path);

// Whether an opened input is a KMZ archive: by its name, or by its first bytes (a ZIP local-file
// header), a pipe's too. Reads nothing that a later pass would miss.
bool Is_Kmz_Input(const std::string& path, InputFile& input);

// Whether the output's name promises the other kind of file: an archive written under a ".kml"
// name, or a KML text under a ".kmz" name, would be a damaged file to every KML reader.
std::optional<EmbedStatus> Kind_Mismatch(bool kmz_input, const std::string& output);

// The input checks on the archive's main document.
InputCheck Check_Kmz(InputFile& input, JobControl* control = nullptr);

// Writes the whole output archive to `output_fd`, which must allow seeking (the main document's
// header is completed once its size is known). Every byte outside the main document's entry is
// copied as it is, but for the new places in the directory and end records; the main document
// streams through the embedding and is deflated.
EmbedResult Write_Kmz(InputFile& input, int output_fd, const std::string& element_text,
                      JobControl* control = nullptr);

}  // namespace zaveze
