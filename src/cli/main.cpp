// SPDX-License-Identifier: MIT
#include <iostream>

#include "cli/embed_command.h"
#include "core/termination_cleanup.h"

int main(int argc, char** argv) {
    zaveze::Install_Termination_Cleanup();
    return zaveze::cli::Run_Embed_Command(argc, argv, std::cout, std::cerr);
}
