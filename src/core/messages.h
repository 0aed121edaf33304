// SPDX-License-Identifier: MIT
#pragma once
// Every text the core and the command line tell the user, in one place, so that the window and
// the command-line tool say the same thing; the texts of the window alone are in
// form/window_messages.h.

#include <optional>
#include <string>
#include <string_view>

#include "core/each/feature_times.h"
#include "datetime/verification.h"
#include "datetime/year_validation.h"

namespace zaveze::messages {

inline constexpr std::string_view kTimeDataPresent =
    "This file appears to already have time data embedded in it";
inline constexpr std::string_view kNoContainerTag =
    "Sorry, couldn't find an acceptable \"container\" tag in the file to embed the time data "
    "after.";

inline constexpr std::string_view kSameAsInput =
    "You can't use the same filename as the input file.";

inline constexpr std::string_view kYearNotANumber = "Please enter a valid number for the year";
inline constexpr std::string_view kYearIsZero = "0 is not a valid year";

inline constexpr std::string_view kNoTimeStampYet = "You haven't entered a TimeStamp value yet";
inline constexpr std::string_view kNoTimeSpanYet =
    "You haven't entered either a beginning or end for the TimeSpan";
inline constexpr std::string_view kBeginAfterEnd =
    "Your beginning date/time may be after your ending date - please double-check your values";
inline constexpr std::string_view kBeginEqualsEnd =
    "Looks like the beginning and end of the TimeSpan are the same - are you sure this is what "
    "you want?";
inline constexpr std::string_view kLooksGood =
    "Looks good for embedding, but double-check the values to make sure.";

// The prompt of the "Data Error" message for a refused year; no value for an accepted one.
inline std::optional<std::string_view> Year_Refusal(YearVerdict verdict) {
    switch (verdict) {
        case YearVerdict::NotANumber:
            return kYearNotANumber;
        case YearVerdict::Zero:
            return kYearIsZero;
        case YearVerdict::Accepted:
            break;
    }
    return std::nullopt;
}

// What "Verify Dates" says.
inline std::string_view Verification(VerifyAdvice advice) {
    switch (advice) {
        case VerifyAdvice::NoTimeStampYet:
            return kNoTimeStampYet;
        case VerifyAdvice::NoTimeSpanYet:
            return kNoTimeSpanYet;
        case VerifyAdvice::BeginAfterEnd:
            return kBeginAfterEnd;
        case VerifyAdvice::BeginEqualsEnd:
            return kBeginEqualsEnd;
        case VerifyAdvice::LooksGood:
            break;
    }
    return kLooksGood;
}

inline std::string Created(std::string_view output) {
    return "File " + std::string(output) + " created.";
}
// "412 features timed, 3 already timed, 7 without a date (lines 88, 140, …)"
inline std::string Feature_Counts(const FeatureCounts& counts) {
    std::string text = std::to_string(counts.timed) +
                       (counts.timed == 1 ? " feature timed, " : " features timed, ") +
                       std::to_string(counts.already_timed) + " already timed, " +
                       std::to_string(counts.without_date) + " without a date";
    const auto& lines = counts.lines_without_date;
    if (!lines.empty()) {
        text += lines.size() == 1 ? " (line " : " (lines ";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += (i > 0 ? ", " : "") + std::to_string(lines[i]);
        }
        text += counts.without_date > lines.size() ? ", \u2026)" : ")";
    }
    return text;
}
inline std::string Created_With_Times(std::string_view output, const FeatureCounts& counts) {
    return "File " + std::string(output) + " created: " + Feature_Counts(counts) + ".";
}
inline std::string No_Feature_Timed(std::string_view file, const FeatureCounts& counts) {
    return "Sorry, no feature of the file " + std::string(file) +
           " got a time of its own: " + Feature_Counts(counts) + ". Nothing was written.";
}
inline std::string Read_Failed(std::string_view file, std::string_view reason) {
    return "Sorry, the file " + std::string(file) + " couldn't be read: " + std::string(reason);
}
inline std::string Write_Failed(std::string_view file, std::string_view reason) {
    return "Sorry, the file " + std::string(file) + " couldn't be written: " + std::string(reason);
}
inline std::string Folder_Write_Failed(std::string_view folder, std::string_view reason) {
    return "Sorry, no file could be written in the folder " + std::string(folder) + ": " +
           std::string(reason);
}
inline std::string Archive_Spool_Failed(std::string_view folder, std::string_view reason) {
    return "Sorry, the temporary folder " + std::string(folder) +
           " couldn't hold the archive on its way to standard output: " + std::string(reason) +
           ". Nothing was written.";
}
inline std::string Input_Changed(std::string_view file) {
    return "Sorry, the file " + std::string(file) +
           " changed while it was being read; nothing was written.";
}
inline std::string Not_Kmz(std::string_view file) {
    return "Sorry, the file " + std::string(file) +
           " is not a KMZ archive with a KML document in it.";
}
inline std::string Kmz_Unsupported(std::string_view file) {
    return "Sorry, the file " + std::string(file) +
           " is a KMZ archive, and this build of Zaveze cannot read KMZ archives.";
}
inline std::string Archive_Into_Kml(std::string_view file, std::string_view output) {
    return "Sorry, the file " + std::string(file) + " is a KMZ archive, and the output " +
           std::string(output) + " is named as a KML file; name it with .kmz. Nothing was written.";
}
inline std::string Text_Into_Kmz(std::string_view file, std::string_view output) {
    return "Sorry, the file " + std::string(file) + " is not a KMZ archive, and the output " +
           std::string(output) + " is named as one; name it with .kml. Nothing was written.";
}
inline std::string Kmz_Unusable(std::string_view file, std::string_view why) {
    return "Sorry, the KMZ archive " + std::string(file) + " cannot be used: " + std::string(why) +
           ". Nothing was written.";
}
inline std::string In_Utf32(std::string_view file) {
    return "Sorry, the file " + std::string(file) +
           " is in UTF-32; Zaveze reads KML in UTF-8 or UTF-16. Nothing was written.";
}
inline std::string Utf16_Cut_Short(std::string_view file) {
    return "Sorry, the file " + std::string(file) +
           " is in UTF-16 but has an odd number of bytes, so its last character is cut short. "
           "Nothing was written.";
}
inline std::string Piped_Archive(std::string_view file) {
    return "Sorry, " + std::string(file) +
           " is a KMZ archive behind bytes that look like KML text, which a pipe shows only at its "
           "end; save it to a file and give that file. Nothing was written.";
}
inline constexpr std::string_view kKmlEntryTooLarge =
    "its KML document would grow past the 4 GiB that the archive can record";
// Why an archive's KML document cannot be used.
inline std::string Kml_Entry_Damaged(std::string_view entry, std::string_view reason) {
    return "its KML document " + std::string(entry) + " is damaged (" + std::string(reason) + ")";
}
inline std::string Kml_Entry_Unreadable(std::string_view entry, std::string_view reason) {
    return "its KML document " + std::string(entry) + " cannot be read (" + std::string(reason) +
           ")";
}
inline constexpr std::string_view kPipedArchiveTooLarge =
    "a piped archive of more than 4 GiB is too large to hold for reading";
inline std::string Pipe_Too_Large(std::string_view file) {
    return "Sorry, " + std::string(file) +
           " is more than 4 GiB, too much to hold for checking before it is written to standard "
           "output; nothing was written.";
}
inline std::string Output_Taken(std::string_view file) {
    return "Sorry, the file " + std::string(file) +
           " already exists; it was left as it is and nothing was written.";
}
// Added where the existing output is an empty file with a scratch file beside it.
inline std::string Stopped_Run_Left(std::string_view scratch) {
    return " It is empty, and " + std::string(scratch) +
           " beside it may be the whole output of an earlier run that was stopped while it named "
           "it.";
}

inline constexpr std::string_view kCancelled = "Cancelled; nothing was written.";

// The reasons the program gives itself, where the system has none.
inline constexpr std::string_view kNotRegularFile = "it is not a regular file";
inline constexpr std::string_view kLinkLoop = "it is a symbolic link that leads nowhere";

}  // namespace zaveze::messages
