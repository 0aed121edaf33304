// SPDX-License-Identifier: MIT
#pragma once
// The form's services with Qt: message boxes, file dialogs, the browser and long jobs, each
// modal to the window.

#include "form/services.h"

class QWidget;

namespace zaveze {

class QtServices final : public form::Services {
  public:
    explicit QtServices(QWidget* window) : window_(window) {}

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
    QWidget* window_;
};

}  // namespace zaveze
