#pragma once

#include <ostream>
#include <span>
#include <string>

#include "cli/exit_status.h"

// The command-line tool `walkconv`: batch conversion in both directions and checks, over the
// same readers and writers as the windows.
namespace walkconv::cli {

// Runs walkconv with `args` (the command line without the program's name), writing results to
// `out` and messages to `err`; returns the exit status as a number.
int RunWalkconv(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace walkconv::cli
