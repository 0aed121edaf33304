// SPDX-License-Identifier: MIT
#pragma once
// Where the form's UTF-8 texts and paths meet Qt's strings.

#include <QString>
#include <string>
#include <string_view>

namespace zaveze {

inline QString To_QString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string To_Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace zaveze
