// SPDX-License-Identifier: MIT
#include "core/input_check.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/engine/container_locator.h"
#include "core/engine/text_source.h"
#include "core/engine/time_data_scan.h"
#include "core/engine/writing_pass.h"
#include "core/files/input_file.h"
#include "core/files/spool.h"
#include "core/kmz/kmz.h"
#include "core/messages.h"

namespace zaveze {
namespace {

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

// Finds the container tag that would receive the element in a file read block by block.
class ChosenTagFinder {
  public:
    // Looks at the file's next bytes; true once the tag is found.
    bool Feed(std::string_view bytes, bool at_end, InputCheck& check) {
        if (!held_.empty()) {
            held_.append(bytes);
            bytes = held_;
        }
        const ContainerLocator::Step step = locator_.Scan(bytes, at_end);
        const std::size_t scanned =
            step.kind == ContainerLocator::Step::Kind::Searched ? bytes.size() : step.at;
        lines_.Count(bytes.substr(0, scanned));
        if (step.kind == ContainerLocator::Step::Kind::Found) {
            check = {InputVerdict::Accepted,
                     {},
                     std::string(bytes.substr(step.at, step.length)),
                     lines_.Line(),
                     std::string(bytes.substr(step.at + 1, step.prefix_length))};
        }
        held_ = std::string(bytes.substr(scanned));  // what the locator asked to see again
        return step.kind == ContainerLocator::Step::Kind::Found;
    }

  private:
    ContainerLocator locator_;
    LineCounter lines_;
    std::string held_;
};

}  // namespace

InputCheck Check_Input_File(const std::string& path, JobControl* control) {
    InputFile file;
    if (const auto reason = file.Open(path)) {
        return {InputVerdict::Unreadable, *reason, {}, 0, {}};
    }
    bool kmz = false;
    if (const EmbedResult known = Learn_Input_Kind(path, file, kmz);
        known.status != EmbedStatus::Written) {
        return {InputVerdict::Unreadable,
                known.reason.empty() ? std::string(messages::kPipedArchiveTooLarge) : known.reason,
                {},
                0,
                {}};
    }
    if (kmz) {
        InputCheck check = Check_Kmz(file, control);
        check.kmz = true;
        return check;
    }
    InputCheck check = Check_Input(file, control);
    if (Piped_As_Text_But_An_Archive(file)) {
        return {InputVerdict::PipedArchive, {}, {}, 0, {}};
    }
    return check;
}

InputCheck Check_Input(InputFile& file, JobControl* control) {
    return Check_Bytes([&file](char* buffer, std::size_t size) { return file.Read(buffer, size); },
                       control);
}

InputCheck Check_Bytes(const ByteReader& read, JobControl* control) {
    TextSource text(read);
    if (!text.Start()) {
        return {InputVerdict::Unreadable, Error_Text(errno), {}, 0, {}};
    }
    if (text.Encoding() == TextEncoding::Utf32) {
        return {InputVerdict::Utf32, {}, {}, 0, {}};
    }
    TimeDataScanner time_data;
    ChosenTagFinder finder;
    bool found = false;
    std::vector<char> block(kBlockSize);
    InputCheck check{InputVerdict::NoContainerTag, {}, {}, 0, {}};
    for (;;) {
        const std::int64_t count = text.Read(block.data(), block.size());
        if (count < 0) {
            return {InputVerdict::Unreadable, Error_Text(errno), {}, 0, {}};
        }
        const std::string_view fresh(block.data(), static_cast<std::size_t>(count));
        if (count == 0) {
            if (text.Cut_Short()) {
                return {InputVerdict::CutShortUtf16, {}, {}, 0, {}};
            }
            if (!found) {
                finder.Feed(fresh, true, check);
            }
            return check;
        }
        if (control != nullptr && !control->Go_On(text.File_Bytes_Read())) {
            return {InputVerdict::Cancelled, {}, {}, 0, {}};
        }
        if (time_data.Feed(fresh)) {
            return {InputVerdict::HasTimeData, {}, {}, 0, {}};
        }
        if (!found) {
            found = finder.Feed(fresh, false, check);
        }
    }
}

}  // namespace zaveze
