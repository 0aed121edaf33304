// SPDX-License-Identifier: MIT
#pragma once
// The texts of the window alone: its title, its questions and the messages of its own steps.
// What the window and the command line both say is in core/messages.h.

#include <string>
#include <string_view>

namespace zaveze::messages {

inline constexpr std::string_view kAppTitle = "Zaveze";
inline constexpr std::string_view kDataErrorTitle = "Data Error";
inline constexpr std::string_view kOverwriteQuestion =
    "Filename already exists - do you want to overwrite the previous file?";
inline constexpr std::string_view kNoDateYet = "You haven't entered any date information yet.";
inline constexpr std::string_view kNoInputYet = "You haven't entered the input filename yet.";
inline constexpr std::string_view kNoOutputYet = "You haven't entered the output filename yet.";

// When Help or the website label cannot show the user guide.
inline std::string Guide_Not_Opened(std::string_view guide, std::string_view reason) {
    return "Sorry, the user guide " + std::string(guide) +
           " could not be opened: " + std::string(reason) +
           ". Open it in a web browser to read it.";
}
inline constexpr std::string_view kGuideMissing = "it is not there";
inline constexpr std::string_view kNoBrowser = "no web browser or other program opened it";

}  // namespace zaveze::messages
