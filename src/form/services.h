// SPDX-License-Identifier: MIT
#pragma once
// What the window needs from the desktop beyond its own controls: message boxes, file dialogs,
// the user guide and long jobs. (Files themselves are reached through the core's file layer.)
// Each face implements it with its toolkit; tests script the answers. Texts and paths are UTF-8.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/job_control.h"

namespace zaveze::form {

enum class MessageIcon { None, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// One entry of a file dialog's type list, such as {"KML", "*.kml"}.
struct FileFilter {
    std::string label;
    std::string pattern;
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

class Services {
  public:
    virtual ~Services() = default;

    // Shows a modal message box and returns the button pressed.
    virtual MessageAnswer Show_Message(const MessageRequest& request) = 0;

    // An existing file chosen by the user; empty when the dialog was cancelled.
    virtual std::string Choose_Input_File(const std::string& title,
                                          const std::vector<FileFilter>& filters) = 0;

    // A file name chosen by the user, which need not exist yet; the dialog asks no overwrite
    // question of its own. Empty when the dialog was cancelled.
    virtual std::string Choose_Output_File(const std::string& title,
                                           const std::vector<FileFilter>& filters,
                                           const std::string& preset) = 0;

    // Opens the user guide that ships with the program, at a section ("about") when one is
    // given, in the desktop's browser, without waiting for it. When it cannot: the guide's path
    // (where it was looked for, when it is missing) and why.
    struct GuideFailure {
        std::string path;
        std::string reason;
    };
    virtual std::optional<GuideFailure> Open_User_Guide(const std::string& section) = 0;

    // Runs `job` on a thread of its own and returns when it has ended. Meanwhile the window takes
    // no input, and after about half a second a progress window shows `label`, the bytes done of
    // `total_bytes` (0: not known) and a Cancel button that cancels the job through its control.
    virtual void Run_Long_Job(const std::string& label, std::uint64_t total_bytes,
                              const std::function<void(JobControl&)>& job) = 0;
};

}  // namespace zaveze::form
