#pragma once
// Paths cross between Qt's texts and the core's byte strings in the file system's own encoding.

#include <QFile>
#include <QString>
#include <string>

namespace zaveze {

inline std::string To_Path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
inline QString From_Path(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace zaveze
