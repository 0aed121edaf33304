// SPDX-License-Identifier: MIT
#pragma once
// `cat BYTES | zaveze-embed ... - OUTPUT`, in the test's own process: the embedding reads `bytes`
// through a pipe that a thread of the test fills.

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "core/embed_file.h"
#include "core/files/file_descriptor.h"

namespace zaveze::testing {

inline EmbedResult Embed_From_Pipe(const std::string& bytes, const std::string& output,
                                   const std::string& element_text) {
    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_CLOEXEC) != 0) {
        return {EmbedStatus::ReadFailed, "no pipe", {}};
    }
    std::thread feeder([&] {
        const FileDescriptor writer(pipe_ends[1]);
        Write_All(writer.Get(), bytes);
    });
    const FileDescriptor reader(pipe_ends[0]);
    const EmbedResult result = Embed_File("/dev/fd/" + std::to_string(reader.Get()), output,
                                          element_text, Replacing::Never);
    feeder.join();
    return result;
}

}  // namespace zaveze::testing
