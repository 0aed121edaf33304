// SPDX-License-Identifier: MIT
#pragma once
// KMZ archives: a ZIP archive whose main document is the first entry of its central directory
// whose name ends in ".kml" (any letter case), as KML viewers choose it. The checks run on that
// entry, and the output is the same archive with the time element in the main document.

#include <optional>
#include <string>
#include <string_view>

#include "core/embed_result.h"
#include "core/embedding.h"
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

// Learns whether an opened input is a KMZ archive: by its name, by its first bytes (a ZIP local
// header), or by its end (an end record and a central directory, where archive readers look for
// them), so that an archive with a self-extractor or other bytes before it is one too. A pipe
// must be seen whole for its end: one that does not start like KML text, or that is an archive,
// is held in a spool file first and becomes that file. Written, or why the spool failed.
EmbedResult Learn_Input_Kind(const std::string& path, InputFile& input, bool& kmz);

// Whether a file ends like a ZIP archive: an end record and the central directory it describes.
bool Ends_Like_An_Archive(int fd);
// Whether a pipe that was read as KML text, since it started like it, ended like an archive.
bool Piped_As_Text_But_An_Archive(const InputFile& input);

// Whether the output's name promises the other kind of file: an archive written under a ".kml"
// name, or a KML text under a ".kmz" name, would be a damaged file to every KML reader.
std::optional<EmbedStatus> Kind_Mismatch(bool kmz_input, const std::string& output);

// The input checks on the archive's main document.
InputCheck Check_Kmz(InputFile& input, JobControl* control = nullptr);

// Writes the whole output archive to `output_fd`, which must allow seeking (the main document's
// header is completed once its size is known). Every byte outside the main document's entry is
// copied as it is, but for the new places in the directory and end records; the main document
// streams through the embedding and is deflated.
EmbedResult Write_Kmz(InputFile& input, int output_fd, const Embedding& embedding,
                      JobControl* control = nullptr);

}  // namespace zaveze
