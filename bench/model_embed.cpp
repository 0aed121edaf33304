// SPDX-License-Identifier: MIT
// The plain two-pass embedding (read lines, split tags into a scratch text, copy with the element)
// as a command: zaveze-model-embed INPUT OUTPUT. It inserts the TimeSpan that bench/run gives
// zaveze-embed, so the two outputs are the same.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "support/two_pass_model.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT OUTPUT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string output = zaveze::testing::Model_Embed(
        input, {zaveze::TimeMode::TimeSpan, "2007-01-01", "2007-12-31"});
    std::ofstream out(argv[2], std::ios::binary);
    out.write(output.data(), static_cast<std::streamsize>(output.size()));
    return out ? 0 : 1;
}
