// SPDX-License-Identifier: MIT
#include "core/each/held_output.h"

#include <algorithm>

#include "core/engine/writing_pass.h"
#include "core/files/spool.h"

namespace zaveze {
void HeldOutput::Write(std::string_view bytes, OutputBuffer& out) {
    if (holes_.empty() && Held() == 0) {
        out.Append(bytes);
        return;
    }
    memory_.append(bytes);
    if (memory_.size() > kMemoryLimit) {
        Spool_Memory();
    }
}

void HeldOutput::Open_Hole() {
    holes_.push_back(front_ + Held());
}

void HeldOutput::Fill_Last_Hole(std::string_view text) {
    if (holes_.empty()) {
        return;
    }
    const std::uint64_t at = holes_.back() - front_;
    holes_.pop_back();
    if (at >= Spooled()) {
        memory_.insert(static_cast<std::size_t>(at - Spooled()), text);
    } else {
        Insert_Into_Spool(spool_front_ + at, text);
    }
}

std::uint64_t HeldOutput::Ready() const {
    return holes_.empty() ? Held() : holes_.front() - front_;
}

bool HeldOutput::Release(OutputBuffer& out, std::size_t limit) {
    std::uint64_t count = std::min<std::uint64_t>(Ready(), limit);
    front_ += count;
    if (const std::uint64_t from_spool = std::min(count, Spooled()); from_spool > 0) {
        char* const cursor = out.Room_For(static_cast<std::size_t>(from_spool));
        if (platform::Read_At(spool_.Get(), cursor, static_cast<std::size_t>(from_spool),
                              spool_front_) != static_cast<std::int64_t>(from_spool)) {
            Fail(errno);
        }
        out.Written_Until(cursor + from_spool);
        spool_front_ += from_spool;
        count -= from_spool;
        if (Spooled() == 0) {
            spool_front_ = spool_end_ = 0;  // the file is used again from its start
        }
    }
    out.Append(std::string_view(memory_).substr(0, static_cast<std::size_t>(count)));
    memory_.erase(0, static_cast<std::size_t>(count));
    return Ready() > 0;
}

void HeldOutput::Spool_Memory() {
    if (failure_) {
        memory_.clear();  // the output is lost anyway; memory stays bounded
        return;
    }
    if (!spool_.Is_Open()) {
        if (auto failure = Open_Temporary_File(spool_)) {
            failure_ = std::move(failure);
            return;
        }
    }
    if (platform::Seek(spool_.Get(), static_cast<std::int64_t>(spool_end_), 0) < 0 ||
        !Write_All(spool_.Get(), memory_)) {
        return Fail(errno);
    }
    spool_end_ += memory_.size();
    memory_.clear();
}

// Moves the spooled bytes from file offset `at` on further by the text's length, from the back,
// and writes the text into the gap: only the bytes of the feature that ends lie after its hole.
void HeldOutput::Insert_Into_Spool(std::uint64_t at, std::string_view text) {
    std::string block;
    for (std::uint64_t end = spool_end_; end > at && !failure_;) {
        const std::uint64_t start = std::max<std::uint64_t>(at, end - std::min(end, kBlockSize));
        block.resize(static_cast<std::size_t>(end - start));
        if (platform::Read_At(spool_.Get(), block.data(), block.size(), start) !=
                static_cast<std::int64_t>(block.size()) ||
            platform::Seek(spool_.Get(), static_cast<std::int64_t>(start + text.size()), 0) < 0 ||
            !Write_All(spool_.Get(), block)) {
            return Fail(errno);
        }
        end = start;
    }
    if (platform::Seek(spool_.Get(), static_cast<std::int64_t>(at), 0) < 0 ||
        !Write_All(spool_.Get(), text)) {
        return Fail(errno);
    }
    spool_end_ += text.size();
}

void HeldOutput::Fail(int error) {
    failure_ =
        EmbedResult{EmbedStatus::FolderFailed, Error_Text(error), platform::Temporary_Folder()};
}

}  // namespace zaveze
