// SPDX-License-Identifier: MIT
#include "window/qt/time_format.h"

namespace zaveze {
namespace {

bool Is_Blank(QChar c) {
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

void Drop_Trailing_Blanks(QString& text) {
    while (!text.isEmpty() && Is_Blank(text.back())) {
        text.chop(1);
    }
}

}  // namespace

QString Time_Format_Without_Zone(const QString& format) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        }
        if (quoted || c != QLatin1Char('t')) {
            result += c;
            continue;
        }
        // The zone: its letters, the bracket and blanks before it, and those after it.
        while (i + 1 < format.size() && format[i + 1] == QLatin1Char('t')) {
            ++i;
        }
        Drop_Trailing_Blanks(result);
        const bool bracketed = !result.isEmpty() && (result.back() == QLatin1Char('(') ||
                                                     result.back() == QLatin1Char('['));
        if (bracketed) {
            result.chop(1);
            Drop_Trailing_Blanks(result);
        }
        while (i + 1 < format.size() &&
               (Is_Blank(format[i + 1]) || (bracketed && (format[i + 1] == QLatin1Char(')') ||
                                                          format[i + 1] == QLatin1Char(']'))))) {
            ++i;
        }
        if (!result.isEmpty() && i + 1 < format.size()) {
            result += QLatin1Char(' ');  // what stood on both sides stays apart
        }
    }
    return result.trimmed();
}

}  // namespace zaveze
