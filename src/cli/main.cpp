#include <iostream>

#include "cli/embed_command.h"

int main(int argc, char** argv) {
    return zaveze::cli::Run_Embed_Command(argc, argv, std::cout, std::cerr);
}
