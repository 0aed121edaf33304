// SPDX-License-Identifier: MIT
#pragma once
// Where the core's texts meet Qt: messages and list entries become QStrings, and paths cross
// in the file system's own encoding.

#include <QComboBox>
#include <QFile>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace zaveze {

inline QString To_QString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string To_Path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
inline QString From_Path(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Replaces a list's entries. Qt would pick the first entry of a filled list by itself; here a
// filled list shows no pick until the user makes one.
inline void Fill_List(QComboBox* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(To_QString(entry));
    }
    list->setCurrentIndex(-1);
}

}  // namespace zaveze
