// SPDX-License-Identifier: MIT
#pragma once
// Services whose answers a test scripts in advance, and which record what the form asked: every
// message box, dialog, guide opened and long job.

#include <deque>
#include <string>
#include <vector>

#include "form/services.h"

namespace zaveze::testing {

struct DialogRequest {
    std::string title;
    std::vector<form::FileFilter> filters;
    std::string preset;
};

struct JobRequest {
    std::string label;
    std::uint64_t total_bytes = 0;
};

class ScriptedServices : public form::Services {
  public:
    std::vector<form::MessageRequest> messages;
    std::deque<form::MessageAnswer> answers;  // for Yes/No questions; none scripted: No, noted
    std::deque<std::string> chosen_files;     // the dialogs' answers; an empty text cancels
    std::vector<DialogRequest> dialogs;
    std::vector<std::string> guide_sections;
    std::vector<JobRequest> jobs;
    bool cancel_jobs = false;  // the user presses Cancel as soon as a job starts
    bool unscripted_question = false;

    form::MessageAnswer Show_Message(const form::MessageRequest& request) override {
        messages.push_back(request);
        if (request.buttons == form::MessageButtons::Ok) {
            return form::MessageAnswer::Ok;
        }
        if (answers.empty()) {
            unscripted_question = true;
            return form::MessageAnswer::No;
        }
        const form::MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string Choose_Input_File(const std::string& title,
                                  const std::vector<form::FileFilter>& filters) override {
        return Next_Choice({title, filters, {}});
    }
    std::string Choose_Output_File(const std::string& title,
                                   const std::vector<form::FileFilter>& filters,
                                   const std::string& preset) override {
        return Next_Choice({title, filters, preset});
    }
    std::optional<GuideFailure> Open_User_Guide(const std::string& section) override {
        guide_sections.push_back(section);
        return guide_failure;
    }
    std::optional<GuideFailure> guide_failure;  // what opening the guide gives
    void Run_Long_Job(const std::string& label, std::uint64_t total_bytes,
                      const std::function<void(JobControl&)>& job) override {
        jobs.push_back({label, total_bytes});
        JobControl control;
        control.cancelled = cancel_jobs;
        job(control);
    }

    // The texts of the messages shown so far, and forgets them.
    std::vector<std::string> Take_Messages() {
        std::vector<std::string> texts;
        for (const form::MessageRequest& message : messages) {
            texts.push_back(message.text);
        }
        messages.clear();
        return texts;
    }

  private:
    std::string Next_Choice(DialogRequest request) {
        dialogs.push_back(std::move(request));
        if (chosen_files.empty()) {
            return {};
        }
        std::string choice = chosen_files.front();
        chosen_files.pop_front();
        return choice;
    }
};

}  // namespace zaveze::testing
