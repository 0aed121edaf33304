// SPDX-License-Identifier: MIT
#pragma once

#include "window/platform_services.h"

namespace zaveze {

class QtPlatformServices final : public PlatformServices {
  public:
    MessageAnswer Show_Message(QWidget* parent, const MessageRequest& request) override;
    QString Choose_Input_File(QWidget* parent, const QString& title,
                              const QString& filter) override;
    QString Choose_Output_File(QWidget* parent, const QString& title, const QString& filter,
                               const QString& preset) override;
    void Open_Address(const QUrl& address) override;
};

}  // namespace zaveze
