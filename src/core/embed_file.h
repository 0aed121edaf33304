#pragma once
// Writes the output KML file from the input KML file, whole or not at all.
//
// The output is written under a scratch name in its own folder and renamed into place once it is
// complete, so a failure never leaves a half-written output and never harms a file that was
// there before. The scratch file never replaces a file the program did not create.

#include <string>

namespace zaveze {

enum class EmbedStatus {
    Written,
    NoContainerTag,   // the input holds no container tag: nothing was written
    SameFileAsInput,  // the output names the input file itself: nothing was written
    ReadFailed,       // the input could not be read; `reason` says why
    WriteFailed,      // the output could not be written; `reason` says why
};

struct EmbedResult {
    EmbedStatus status = EmbedStatus::Written;
    std::string reason;  // the system's reason for a failed read or write
};

EmbedResult Embed_File(const std::string& input, const std::string& output,
                       const std::string& element_text);

// What to tell the user about a result: "File ... created." or why nothing was written.
std::string Embed_Result_Message(const EmbedResult& result, const std::string& input,
                                 const std::string& output);

}  // namespace zaveze
