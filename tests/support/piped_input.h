// SPDX-License-Identifier: MIT
#pragma once
// `cat BYTES | zaveze-embed ... - OUTPUT`, in the test's own process: the embedding reads `bytes`
// through a pipe that a thread of the test fills.

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "core/embed_file.h"
#include "core/files/file_descriptor.h"

namespace zaveze::testing {

// Runs `use` on a path that reads `bytes` through a pipe ("/dev/fd/N"), as `-` or a FIFO would.
template <class Use>
auto Through_Pipe(const std::string& bytes, Use use) {
    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_CLOEXEC) != 0) {
        std::abort();  // the test cannot run at all
    }
    std::thread feeder([&] {
        const FileDescriptor writer(pipe_ends[1]);
        Write_All(writer.Get(), bytes);
    });
    const FileDescriptor reader(pipe_ends[0]);
    auto result = use("/dev/fd/" + std::to_string(reader.Get()));
    feeder.join();
    return result;
}

inline EmbedResult Embed_From_Pipe(const std::string& bytes, const std::string& output,
                                   const Embedding& embedding) {
    return Through_Pipe(bytes, [&](const std::string& path) {
        return Embed_File(path, output, embedding, Replacing::Never);
    });
}

}  // namespace zaveze::testing
