// SPDX-License-Identifier: MIT
#pragma once

namespace zaveze {

// Which time element goes into the output: an interval or a single point in time.
enum class TimeMode { TimeSpan, TimeStamp };

}  // namespace zaveze
