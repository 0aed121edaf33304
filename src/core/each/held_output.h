// SPDX-License-Identifier: MIT
#pragma once
// Output that must wait: a feature's time element goes before its ExtendedData and its child
// features, so the bytes after the element's place are held until the feature's end tells what
// the element is. Places ("holes") nest as the features do: the last one opened is filled
// first. Bytes before the first open hole are ready and leave in bounded pieces. The held bytes
// stay in memory up to a limit and go to an unnamed temporary file beyond it, so that a feature
// of any size fits in bounded memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/embed_result.h"
#include "core/engine/output_buffer.h"
#include "core/files/file_descriptor.h"

namespace zaveze {

class HeldOutput {
  public:
    // Bytes in memory before they go to the temporary file.
    static constexpr std::size_t kMemoryLimit = std::size_t{4} << 20;

    // The next bytes of the output: to `out` while nothing is held, else held.
    void Write(std::string_view bytes, OutputBuffer& out);
    // Marks the place after the bytes written so far, to be filled later.
    void Open_Hole();
    bool Has_Holes() const { return !holes_.empty(); }
    // Puts `text` into the hole opened last.
    void Fill_Last_Hole(std::string_view text);
    // Moves up to `limit` ready bytes to `out`; whether more are ready.
    bool Release(OutputBuffer& out, std::size_t limit);

    // Why the temporary file failed, once it has; the output is then incomplete.
    const std::optional<EmbedResult>& Failure() const { return failure_; }

  private:
    std::uint64_t Spooled() const { return spool_end_ - spool_front_; }
    std::uint64_t Held() const { return Spooled() + memory_.size(); }
    std::uint64_t Ready() const;
    void Spool_Memory();
    void Insert_Into_Spool(std::uint64_t at, std::string_view text);
    void Fail(int error);

    std::vector<std::uint64_t> holes_;  // places as counted from `front_`, the first opened first
    std::uint64_t front_ = 0;           // the place of the first held byte
    FileDescriptor spool_;
    std::uint64_t spool_front_ = 0, spool_end_ = 0;  // the held bytes' front, in the file
    std::string memory_;                             // the held bytes after those
    std::optional<EmbedResult> failure_;
};

}  // namespace zaveze
