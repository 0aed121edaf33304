// SPDX-License-Identifier: MIT
#pragma once
// What the window needs from the desktop beyond its own controls: message boxes, file dialogs
// and the browser. (Files themselves are reached through the core's platform layer.) The program
// uses the Qt implementation; tests script the answers.

#include <QString>
#include <QUrl>

class QWidget;

namespace zaveze {

enum class MessageIcon { None, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class PlatformServices {
  public:
    virtual ~PlatformServices() = default;

    // Shows a modal message box and returns the button pressed.
    virtual MessageAnswer Show_Message(QWidget* parent, const MessageRequest& request) = 0;

    // An existing file chosen by the user; empty when the dialog was cancelled.
    virtual QString Choose_Input_File(QWidget* parent, const QString& title,
                                      const QString& filter) = 0;

    // A file name chosen by the user, which need not exist yet; the dialog asks no overwrite
    // question of its own. Empty when the dialog was cancelled.
    virtual QString Choose_Output_File(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& preset) = 0;

    // Opens the address in the desktop's browser without waiting for it.
    virtual void Open_Address(const QUrl& address) = 0;
};

}  // namespace zaveze
