#include "core/embed_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "core/embedding_stream.h"
#include "core/messages.h"
#include "core/output_naming.h"
#include "core/posix_file.h"

namespace zaveze {
namespace {

// Small enough that a block stays in the processor's cache between reading, transforming and
// writing it. Measured: reads of 128 KiB and more took four times as long per byte as 64 KiB
// reads (see bench/RESULTS.md).
constexpr std::size_t kBlockSize = 64 << 10;
constexpr int kScratchAttempts = 1000;

EmbedResult Read_Failure(int error) {
    return {EmbedStatus::ReadFailed, Error_Text(error)};
}
EmbedResult Write_Failure(int error) {
    return {EmbedStatus::WriteFailed, Error_Text(error)};
}

// A freshly created scratch file that is removed again unless it was moved into place.
class ScratchFile {
  public:
    ScratchFile() = default;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        file_.Close();
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }

    // Creates the scratch file beside `output`, under a name that no existing file has.
    // Returns 0 or the error number.
    int Create(const std::string& output) {
        for (int attempt = 0; attempt < kScratchAttempts; ++attempt) {
            const std::string candidate = Scratch_Name(output, attempt);
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                file_ = FileDescriptor(fd);
                path_ = candidate;
                return 0;
            }
            if (errno != EEXIST) {
                return errno;
            }
        }
        return EEXIST;
    }

    int Fd() const { return file_.Get(); }
    bool Close() { return file_.Close(); }

    // Moves the finished scratch file over `output`; afterwards it is no longer removed.
    bool Move_To(const std::string& output) {
        if (std::rename(path_.c_str(), output.c_str()) != 0) {
            return false;
        }
        path_.clear();
        return true;
    }

  private:
    FileDescriptor file_;
    std::string path_;
};

// Streams the input through the transformation into the scratch file.
EmbedResult Copy_With_Element(int input_fd, int scratch_fd, const std::string& element_text) {
    EmbeddingStream stream(element_text);
    std::vector<char> block(kBlockSize);
    OutputBuffer out;
    std::size_t carried = 0;  // bytes kept at the block's front for the next round
    ::posix_fadvise(input_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    for (;;) {
        const ssize_t count = Read_Some(input_fd, block.data() + carried, block.size() - carried);
        if (count < 0) {
            return Read_Failure(errno);
        }
        const std::string_view bytes(block.data(), carried + static_cast<std::size_t>(count));
        if (count == 0) {
            stream.Finish(bytes, out);
        } else {
            const std::size_t used = stream.Transform(bytes, out);
            carried = bytes.size() - used;
            std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end(),
                      block.begin());
        }
        // Whole blocks only, so that every write starts on a page boundary of the file; the rest
        // waits for the next round.
        const std::size_t ready = count == 0 ? out.Size() : out.Size() / kBlockSize * kBlockSize;
        if (!Write_All(scratch_fd, out.View().substr(0, ready))) {
            return Write_Failure(errno);
        }
        out.Drop_Front(ready);
        if (count == 0) {
            break;
        }
    }
    if (!stream.Element_Written()) {
        return {EmbedStatus::NoContainerTag, {}};
    }
    return {};
}

}  // namespace

EmbedResult Embed_File(const std::string& input, const std::string& output,
                       const std::string& element_text) {
    FileDescriptor input_file(::open(input.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat input_status {};
    if (!input_file.Is_Open() || ::fstat(input_file.Get(), &input_status) != 0) {
        return Read_Failure(errno);
    }
    if (S_ISDIR(input_status.st_mode)) {
        return Read_Failure(EISDIR);
    }

    struct stat output_status {};
    const bool output_exists = ::stat(output.c_str(), &output_status) == 0;
    if (output_exists && output_status.st_dev == input_status.st_dev &&
        output_status.st_ino == input_status.st_ino) {
        return {EmbedStatus::SameFileAsInput, {}};
    }
    if (output_exists && S_ISDIR(output_status.st_mode)) {
        return Write_Failure(EISDIR);
    }

    ScratchFile scratch;
    if (const int error = scratch.Create(output); error != 0) {
        return Write_Failure(error);
    }
    if (EmbedResult copied = Copy_With_Element(input_file.Get(), scratch.Fd(), element_text);
        copied.status != EmbedStatus::Written) {
        return copied;
    }
    // A file that is replaced keeps its permissions, and its new content is on the disk before
    // the old content goes.
    if (output_exists && (::fchmod(scratch.Fd(), output_status.st_mode & 07777) != 0 ||
                          ::fsync(scratch.Fd()) != 0)) {
        return Write_Failure(errno);
    }
    if (!scratch.Close() || !scratch.Move_To(output)) {
        return Write_Failure(errno);
    }
    return {};
}

std::string Embed_Result_Message(const EmbedResult& result, const std::string& input,
                                 const std::string& output) {
    switch (result.status) {
        case EmbedStatus::Written:
            return messages::Created(output);
        case EmbedStatus::NoContainerTag:
            return std::string(messages::kNoContainerTag);
        case EmbedStatus::SameFileAsInput:
            return std::string(messages::kSameAsInput);
        case EmbedStatus::ReadFailed:
            return messages::Read_Failed(input, result.reason);
        case EmbedStatus::WriteFailed:
            break;
    }
    return messages::Write_Failed(output, result.reason);
}

}  // namespace zaveze
