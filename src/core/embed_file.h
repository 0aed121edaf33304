// SPDX-License-Identifier: MIT
#pragma once
// Writes the output KML file from the input KML file, whole or not at all.
//
// The input is read exactly once: the checks that refuse it (time data already there, no
// container tag) run inside the writing pass, and a refusal drops the unfinished output. The
// output gets its name only when it is complete (see safe_output.h), so a failure never leaves a
// half-written output and never harms a file that was there before.

#include <cstdint>
#include <optional>
#include <string>

#include "core/input_check.h"
#include "core/job_control.h"
#include "core/output_target.h"
#include "core/safe_output.h"

namespace zaveze {

enum class EmbedStatus {
    Written,
    HasTimeData,      // the input already holds time data: nothing was written
    NoContainerTag,   // the input holds no container tag: nothing was written
    SameFileAsInput,  // the output names the input file itself: nothing was written
    OutputExists,     // the output's name is taken, and replacing was not allowed
    InputChanged,     // the input changed while it was read: nothing was written
    ReadFailed,       // the input could not be read; `reason` says why
    WriteFailed,      // the output could not be written; `reason` says why
    FolderFailed,     // no file could be made in the output's folder; `folder`, `reason` say why
    PipeTooLarge,     // a piped input too large to hold for checking before writing to a stream
    Cancelled,        // the user cancelled the job: nothing was written
    NotKmz,           // a KMZ archive that cannot be read, or holds no ".kml" entry
    KmzUnsupported,   // a KMZ archive, and the program was built without KMZ support
    ArchiveIntoKml,   // a KMZ archive, and the output's name ends in ".kml": nothing was written
    TextIntoKmz,      // a KML text, and the output's name ends in ".kmz": nothing was written
    KmzUnusable,      // the archive's KML document is damaged or unreadable; `reason` says how
};

struct EmbedResult {
    EmbedStatus status = EmbedStatus::Written;
    std::string reason;  // the system's reason for a failed read or write
    std::string folder;  // the folder, for FolderFailed
};

// Why an output may not be written, as Examine_Output found it; none when it may.
std::optional<EmbedResult> Output_Refusal(const OutputTarget& target, Replacing replacing);

// `control`, when given, receives the progress and may cancel the job.
EmbedResult Embed_File(const std::string& input, const std::string& output,
                       const std::string& element_text, Replacing replacing,
                       JobControl* control = nullptr);

// Writes the output to `output_fd` (standard output) instead of a file. What has gone out cannot
// be taken back, so the input is checked whole before the first byte goes out: a regular file is
// read twice; an input that can be read only once (a pipe) is first copied into an unnamed spool
// file in the temporary folder, of at most kMaxSpoolBytes.
inline constexpr std::uint64_t kMaxSpoolBytes = std::uint64_t{4} << 30;
EmbedResult Embed_To_Descriptor(const std::string& input, int output_fd,
                                const std::string& element_text);

// The result that an input's refusal gives an embedding (Written for an accepted input).
EmbedResult From_Input_Check(const InputCheck& check);

// What to tell the user about a result: "File ... created." or why nothing was written.
std::string Embed_Result_Message(const EmbedResult& result, const std::string& input,
                                 const std::string& output);

// What to tell the user about a refused input; no value for an accepted one.
std::optional<std::string> Input_Refusal_Message(const InputCheck& check, const std::string& path);

// Whether a result is the program's refusal of the input or output (rather than a failure of
// the system to read or write).
bool Is_Refusal(EmbedStatus status);

}  // namespace zaveze
