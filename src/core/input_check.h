// SPDX-License-Identifier: MIT
#pragma once
// The checks an input file must pass before it is used: it must not carry time data already,
// and it must hold a container tag after which the time element can go.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/files/input_file.h"
#include "core/job_control.h"

namespace zaveze {

enum class InputVerdict {
    Accepted,
    HasTimeData,     // "TimeStamp" or "TimeSpan" appears somewhere in the file
    NoContainerTag,  // no container tag anywhere (an empty file included)
    Unreadable,      // missing, a folder, no permission...; `reason` says why
    Cancelled,       // the user cancelled the check
    NotKmz,          // a KMZ archive that cannot be read, or holds no ".kml" entry
    KmzUnsupported,  // a KMZ archive, and the program was built without KMZ support
    KmzUnusable,     // the archive's KML document is damaged or unreadable; `reason` says how
    Utf32,           // the text is in UTF-32, which no KML program writes
    CutShortUtf16,   // the text is in UTF-16 and ends in half a code unit (an odd length)
    PipedArchive,    // a pipe that started like KML text turned out to be a KMZ archive
};

struct InputCheck {
    InputVerdict verdict = InputVerdict::Accepted;
    std::string reason;
    // Where the time element would go: the first container tag as written, the line it starts
    // on (counted from 1, a line ending at CR LF, LF or CR, as a text editor counts them), and
    // its namespace prefix, which the element's tags take on.
    std::string first_tag;
    std::uint64_t first_tag_line = 0;
    std::string first_tag_prefix{};
    bool kmz = false;  // the input is a KMZ archive
};

// `control`, when given, receives the progress and may cancel the check.
InputCheck Check_Input_File(const std::string& path, JobControl* control = nullptr);
// The same for a file already open, read from where it stands to its end.
InputCheck Check_Input(InputFile& file, JobControl* control = nullptr);

// Reads up to `size` bytes into `buffer`: the count, 0 at the end, -1 with errno on failure.
using ByteReader = std::function<std::int64_t(char* buffer, std::size_t size)>;
// The same checks for bytes from anywhere (the main document of a KMZ archive).
InputCheck Check_Bytes(const ByteReader& read, JobControl* control = nullptr);

}  // namespace zaveze
