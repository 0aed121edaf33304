// SPDX-License-Identifier: MIT
#include "window/qt/user_guide.h"

#include <QCoreApplication>
#include <QDir>

#include "window/qt/qt_bridge.h"

namespace zaveze {

form::UserGuide Find_User_Guide() {
    return form::Find_User_Guide(To_Utf8(QCoreApplication::applicationDirPath()));
}

QUrl User_Guide_Address(const std::string& path, const QString& section) {
    QUrl address = QUrl::fromLocalFile(QDir::current().absoluteFilePath(To_QString(path)));
    if (!section.isEmpty()) {
        address.setFragment(section);
    }
    return address;
}

}  // namespace zaveze
