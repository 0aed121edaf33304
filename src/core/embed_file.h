// SPDX-License-Identifier: MIT
#pragma once
// Writes the output from the input, whole or not at all: a KML file, or a KMZ archive whose main
// document gets the time (the archive's other bytes are copied as they are).
//
// The input is read exactly once: the checks that refuse it (time data already there, no
// container tag) run inside the writing pass, and a refusal drops the unfinished output. The
// output gets its name only when it is complete (see files/safe_output.h), so a failure never
// leaves a half-written output and never harms a file that was there before.

#include <optional>
#include <string>

#include "core/embed_result.h"
#include "core/embedding.h"
#include "core/files/output_target.h"
#include "core/files/safe_output.h"
#include "core/job_control.h"

namespace zaveze {

// Why an output may not be written, as Examine_Output found it; none when it may.
std::optional<EmbedResult> Output_Refusal(const OutputTarget& target, Replacing replacing);

// `control`, when given, receives the progress and may cancel the job; `naming` is how the output
// is made and named, the system's own unless a test says otherwise.
EmbedResult Embed_File(const std::string& input, const std::string& output,
                       const Embedding& embedding, Replacing replacing,
                       JobControl* control = nullptr,
                       const platform::FileNaming& naming = platform::System_File_Naming());

}  // namespace zaveze
