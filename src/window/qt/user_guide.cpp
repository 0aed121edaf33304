// SPDX-License-Identifier: MIT
#include "window/qt/user_guide.h"

#include <QCoreApplication>
#include <QDir>

#include "core/files/platform/file_system.h"
#include "window/qt/qt_bridge.h"

namespace zaveze {

QString Expected_User_Guide() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../" +
                           ZAVEZE_INSTALL_DOCDIR_FROM_BINDIR + "/user-guide.html");
}

QUrl User_Guide_Address(const QString& section) {
    QStringList candidates{Expected_User_Guide()};
#ifdef ZAVEZE_SOURCE_GUIDE
    candidates << QString(ZAVEZE_SOURCE_GUIDE);  // a development build, run where it was built
#endif
    for (const QString& candidate : candidates) {
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
