// SPDX-License-Identifier: MIT
#include "window/user_guide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zaveze {

QUrl User_Guide_Address(const QString& section) {
    const QString beside_program = QCoreApplication::applicationDirPath() + "/../" +
                                   ZAVEZE_INSTALL_DOCDIR_FROM_BINDIR + "/user-guide.html";
    for (const QString& candidate : {beside_program, QString(ZAVEZE_SOURCE_GUIDE)}) {
        if (QFileInfo::exists(candidate)) {
            QUrl address =
                QUrl::fromLocalFile(QDir::cleanPath(QFileInfo(candidate).absoluteFilePath()));
            if (!section.isEmpty()) {
                address.setFragment(section);
            }
            return address;
        }
    }
    return {};
}

}  // namespace zaveze
