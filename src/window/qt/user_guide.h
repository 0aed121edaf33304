// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>

#include "form/user_guide.h"

namespace zaveze {

// Where this program's user guide is (form/user_guide.h), from the program's own folder.
form::UserGuide Find_User_Guide();

// The address of the guide at `path`, at `section` (an anchor such as "about") when given.
QUrl User_Guide_Address(const std::string& path, const QString& section = {});

}  // namespace zaveze
