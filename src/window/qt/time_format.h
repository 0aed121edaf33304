// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace zaveze {

// A Qt time format without its time-zone part: a time of day has no zone. The zone's letters go
// together with the brackets and blanks around them ("H:mm:ss (t)" gives "H:mm:ss"); quoted text
// is left as it is.
QString Time_Format_Without_Zone(const QString& format);

}  // namespace zaveze
