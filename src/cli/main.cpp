// SPDX-License-Identifier: MIT
#include <iostream>
#include <string>
#include <vector>

#include "cli/embed_command.h"
#include "core/files/platform/file_system.h"
#include "core/files/termination_cleanup.h"

namespace {

int Run(std::vector<std::string> arguments) {
    zaveze::Install_Termination_Cleanup();
    zaveze::platform::Prepare_Standard_Streams();
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return zaveze::cli::Run_Embed_Command(static_cast<int>(arguments.size()), argv.data(),
                                          std::cout, std::cerr);
}

}  // namespace

#ifdef _WIN32
// The arguments as Windows has them, in UTF-16, so that any file name arrives whole.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(zaveze::platform::Utf8_Of(argv[i]));
    }
    return Run(std::move(arguments));
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv, argv + argc));
}
#endif
