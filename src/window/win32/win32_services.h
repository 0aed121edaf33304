// SPDX-License-Identifier: MIT
#pragma once
// The form's services with Windows: MessageBoxW, the common file dialogs, the user guide in the
// default browser, and long jobs with a progress window, each modal to the window.

#include <windows.h>

#include "form/services.h"

namespace zaveze::win32 {

class Win32Services final : public form::Services {
  public:
    explicit Win32Services(HWND window) : window_(window) {}

    form::MessageAnswer Show_Message(const form::MessageRequest& request) override;
    std::string Choose_Input_File(const std::string& title,
                                  const std::vector<form::FileFilter>& filters) override;
    std::string Choose_Output_File(const std::string& title,
                                   const std::vector<form::FileFilter>& filters,
                                   const std::string& preset) override;
    std::optional<GuideFailure> Open_User_Guide(const std::string& section) override;
    void Run_Long_Job(const std::string& label, std::uint64_t total_bytes,
                      const std::function<void(JobControl&)>& job) override;

  private:
    HWND window_;
};

// The address (file:///...) of the guide at `path`, at `section` when given; empty when the path
// has none.
std::wstring User_Guide_Address(const std::string& path, const std::string& section);

}  // namespace zaveze::win32
