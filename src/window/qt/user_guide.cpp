// SPDX-License-Identifier: MIT
#include "window/qt/user_guide.h"

#include <QCoreApplication>
#include <QDir>

#include "core/files/platform/file_system.h"
#include "window/qt/qt_bridge.h"

namespace zaveze {

QUrl User_Guide_Address(const QString& section) {
    const QString beside_program = QCoreApplication::applicationDirPath() + "/../" +
                                   ZAVEZE_INSTALL_DOCDIR_FROM_BINDIR + "/user-guide.html";
    for (const QString& candidate : {beside_program, QString(ZAVEZE_SOURCE_GUIDE)}) {
        if (platform::Status_Of_Path(To_Utf8(candidate), true)) {
            QUrl address =
                QUrl::fromLocalFile(QDir::cleanPath(QDir::current().absoluteFilePath(candidate)));
            if (!section.isEmpty()) {
                address.setFragment(section);
            }
            return address;
        }
    }
    return {};
}

}  // namespace zaveze
