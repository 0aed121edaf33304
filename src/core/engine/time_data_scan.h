// SPDX-License-Identifier: MIT
#pragma once
// Looks for the time-data markers ("TimeStamp", "TimeSpan") in a file that is read block by block.

#include <cstddef>
#include <string>
#include <string_view>

namespace zaveze {

class TimeDataScanner {
  public:
    // Looks at the file's next bytes; true once a marker has been seen, also one that started in
    // an earlier block.
    bool Feed(std::string_view bytes);
    bool Found() const { return found_; }

  private:
    std::string tail_;  // the last bytes seen, too few to hold a whole marker
    bool found_ = false;
};

// Whether `text` holds a time-data marker.
bool Has_Time_Data(std::string_view text);

}  // namespace zaveze
