// SPDX-License-Identifier: MIT
#include "window/qt_platform_services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace zaveze {

MessageAnswer QtPlatformServices::Show_Message(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(
        request.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        request.title, request.text,
        request.buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                 : QMessageBox::Ok,
        parent);
    const int answer = box.exec();
    if (request.buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtPlatformServices::Choose_Input_File(QWidget* parent, const QString& title,
                                              const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString QtPlatformServices::Choose_Output_File(QWidget* parent, const QString& title,
                                               const QString& filter, const QString& preset) {
    return QFileDialog::getSaveFileName(parent, title, preset, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void QtPlatformServices::Open_Address(const QUrl& address) {
    QDesktopServices::openUrl(address);
}

}  // namespace zaveze
