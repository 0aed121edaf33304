// SPDX-License-Identifier: MIT
#pragma once
// How an embedding ended, and what the user is told about it.

#include <optional>
#include <string>

#include "core/each/feature_times.h"
#include "core/input_check.h"

namespace zaveze {

enum class EmbedStatus {
    Written,
    HasTimeData,         // the input already holds time data: nothing was written
    NoContainerTag,      // the input holds no container tag: nothing was written
    SameFileAsInput,     // the output names the input file itself: nothing was written
    OutputExists,        // the output's name is taken, and replacing was not allowed
    InputChanged,        // the input changed while it was read: nothing was written
    ReadFailed,          // the input could not be read; `reason` says why
    WriteFailed,         // the output could not be written; `reason` says why
    FolderFailed,        // no file could be made in the output's folder; `folder`, `reason` say why
    ArchiveSpoolFailed,  // the temporary folder (`folder`) could not hold an archive on its way to
                         // standard output; `reason` says why
    PipeTooLarge,        // a piped input too large to hold for checking before writing to a stream
    Cancelled,           // the user cancelled the job: nothing was written
    NotKmz,              // a KMZ archive that cannot be read, or holds no ".kml" entry
    KmzUnsupported,      // a KMZ archive, and the program was built without KMZ support
    ArchiveIntoKml,      // a KMZ archive, and the output's name ends in ".kml": nothing was written
    TextIntoKmz,         // a KML text, and the output's name ends in ".kmz": nothing was written
    KmzUnusable,         // the archive's KML document is damaged or unreadable; `reason` says how
    Utf32,               // the input is in UTF-32: nothing was written
    CutShortUtf16,       // the input is in UTF-16 and of an odd length: nothing was written
    PipedArchive,        // a pipe read as KML text turned out to be a KMZ archive: nothing written
    NoFeatureTimed,      // no feature of the input got its own time (`features` says why)
};

struct EmbedResult {
    EmbedResult(EmbedStatus ended = EmbedStatus::Written, std::string why = {},
                std::string where = {})
        : status(ended), reason(std::move(why)), folder(std::move(where)) {}

    EmbedStatus status = EmbedStatus::Written;
    std::string reason;                     // the system's reason for a failed read or write
    std::string folder;                     // the folder, for FolderFailed
    std::optional<FeatureCounts> features;  // each feature's own time: what came of it
};

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
