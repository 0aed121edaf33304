// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>

namespace zaveze {

// The address of the user guide that ships with the program, at `section` (an anchor such as
// "about") when given: installed beside the program under share/doc/zaveze, or in the source
// tree for a program that runs from its build folder. Empty when neither is there.
QUrl User_Guide_Address(const QString& section = {});
// Where the installed guide belongs, beside the program.
QString Expected_User_Guide();

}  // namespace zaveze
