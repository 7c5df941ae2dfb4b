#include <iostream>

#include "cli/walkconv_cli.h"
#include "core/platform/command_line.h"

int main(int argc, char* argv[]) {
    walkconv::ShowUtf8OnConsole();
    return walkconv::cli::RunWalkconv(walkconv::CommandLineArguments(argc, argv), std::cout,
                                      std::cerr);
}
