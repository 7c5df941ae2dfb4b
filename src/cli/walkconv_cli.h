#pragma once

#include <ostream>
#include <span>
#include <string>

// The command-line tool `walkconv`: batch conversion in both directions and checks, over the
// same readers and writers as the windows.
namespace walkconv::cli {

// How a run of walkconv ends. When inputs end differently, the most severe status wins, in
// this order from the least: Success, Warnings, NotValid, Failed, Missing, CannotWrite; a
// usage error stops the run before any input is read.
enum class ExitStatus : int {
    Success = 0,      // every input converted (or checked)
    NotValid = 1,     // some input holds no points or no links
    Failed = 2,       // some input broke a limit of its reader, or could not be read
    Missing = 3,      // some input names no regular file
    CannotWrite = 4,  // some output could not be written
    Warnings = 5,     // check --werror: some input has warnings, and nothing worse happened
    Usage = 64,       // the command line is wrong; nothing was read or written
};

// Runs walkconv with `args` (the command line without the program's name), writing results to
// `out` and messages to `err`; returns the exit status as a number.
int RunWalkconv(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace walkconv::cli
