// SPDX-License-Identifier: MIT
#pragma once
// Platform services whose answers a test scripts in advance, and which record what the window
// asked: every message box, every dialog and every address opened.

#include <QStringList>
#include <deque>
#include <vector>

#include "window/platform_services.h"

namespace zaveze::testing {

struct DialogRequest {
    QString title;
    QString filter;
    QString preset;
};

class ScriptedServices final : public PlatformServices {
  public:
    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;  // for Yes/No questions; none scripted is a test failure
    std::deque<QString> chosen_files;   // the dialogs' answers; an empty text cancels
    std::vector<DialogRequest> dialogs;
    std::vector<QUrl> opened;
    bool unscripted_question = false;

    MessageAnswer Show_Message(QWidget*, const MessageRequest& request) override {
        messages.push_back(request);
        if (request.buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            unscripted_question = true;
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString Choose_Input_File(QWidget*, const QString& title, const QString& filter) override {
        return Next_Choice({title, filter, {}});
    }
    QString Choose_Output_File(QWidget*, const QString& title, const QString& filter,
                               const QString& preset) override {
        return Next_Choice({title, filter, preset});
    }
    void Open_Address(const QUrl& address) override { opened.push_back(address); }

    // The texts of the messages shown so far, and forgets them.
    QStringList Take_Messages() {
        QStringList texts;
        for (const MessageRequest& message : messages) {
            texts << message.text;
        }
        messages.clear();
        return texts;
    }

  private:
    QString Next_Choice(DialogRequest request) {
        dialogs.push_back(std::move(request));
        if (chosen_files.empty()) {
            return {};
        }
        const QString choice = chosen_files.front();
        chosen_files.pop_front();
        return choice;
    }
};

}  // namespace zaveze::testing
