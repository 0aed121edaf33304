// SPDX-License-Identifier: MIT
#include "core/input_check.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/engine/container_tags.h"
#include "core/engine/time_data_scan.h"
#include "core/engine/writing_pass.h"
#include "core/files/input_file.h"
#include "core/files/spool.h"
#include "core/kmz/kmz.h"
#include "core/messages.h"

namespace zaveze {
namespace {

// A tag that straddles two blocks is found because this many bytes of the previous block stay
// in front of the next one.
constexpr std::size_t kOverlap = kLongestContainerTag - 1;

// Counts lines as a text editor shows them: CR LF, LF and CR each end one.
class LineCounter {
  public:
    void Count(std::string_view bytes) {
        for (const char byte : bytes) {
            if (byte == '\r' || (byte == '\n' && !after_cr_)) {
                ++breaks_;
            }
            after_cr_ = byte == '\r';
        }
    }
    std::uint64_t Line() const { return breaks_ + 1; }

  private:
    std::uint64_t breaks_ = 0;
    bool after_cr_ = false;
};

}  // namespace

InputCheck Check_Input_File(const std::string& path, JobControl* control) {
    InputFile file;
    if (const auto reason = file.Open(path)) {
        return {InputVerdict::Unreadable, *reason, {}, 0};
    }
    if (Is_Kmz_Input(path, file)) {
        // An archive is read out of order: a piped one is held in a spool file first.
        if (const EmbedResult spooled = Spool(file); spooled.status != EmbedStatus::Written) {
            return {InputVerdict::Unreadable,
                    spooled.reason.empty() ? std::string(messages::kPipedArchiveTooLarge)
                                           : spooled.reason,
                    {},
                    0};
        }
        InputCheck check = Check_Kmz(file, control);
        check.kmz = true;
        return check;
    }
    return Check_Input(file, control);
}

InputCheck Check_Input(InputFile& file, JobControl* control) {
    return Check_Bytes([&file](char* buffer, std::size_t size) { return file.Read(buffer, size); },
                       control);
}

InputCheck Check_Bytes(const ByteReader& read, JobControl* control) {
    std::uint64_t bytes_read = 0;
    TimeDataScanner time_data;
    LineCounter lines;
    std::vector<char> block(kBlockSize + kOverlap);
    std::size_t kept = 0;
    InputCheck check{InputVerdict::NoContainerTag, {}, {}, 0};
    for (;;) {
        const std::int64_t count = read(block.data() + kept, kBlockSize);
        if (count < 0) {
            return {InputVerdict::Unreadable, Error_Text(errno), {}, 0};
        }
        if (count == 0) {
            break;
        }
        const std::string_view fresh(block.data() + kept, static_cast<std::size_t>(count));
        bytes_read += fresh.size();
        if (control != nullptr && !control->Go_On(bytes_read)) {
            return {InputVerdict::Cancelled, {}, {}, 0};
        }
        if (time_data.Feed(fresh)) {
            return {InputVerdict::HasTimeData, {}, {}, 0};
        }
        const std::string_view text(block.data(), kept + fresh.size());
        if (check.first_tag.empty()) {
            if (const auto tag = Find_Container_Tag(text)) {
                // A tag that began in the kept bytes has no line break after its start there.
                const std::size_t fresh_before_tag =
                    tag->position > kept ? tag->position - kept : 0;
                lines.Count(fresh.substr(0, fresh_before_tag));
                check = {InputVerdict::Accepted, {}, tag->tag, lines.Line()};
            } else {
                lines.Count(fresh);
            }
        }
        kept = std::min(kOverlap, text.size());
        std::copy(text.end() - static_cast<std::ptrdiff_t>(kept), text.end(), block.begin());
    }
    return check;
}

}  // namespace zaveze
