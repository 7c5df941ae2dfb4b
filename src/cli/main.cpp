#include <iostream>
#include <string>
#include <vector>

#include "cli/walkconv_cli.h"

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return walkconv::cli::RunWalkconv(args, std::cout, std::cerr);
}
