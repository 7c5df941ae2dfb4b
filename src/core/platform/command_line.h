#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program's arguments and console as the operating system hands them over (POSIX or
// Windows): the rest of the program sees UTF-8 text only.
namespace walkconv {

// The arguments after the program's name, as UTF-8. On POSIX systems these are `argv` as they
// stand; on Windows `argv` is in the ANSI code page and loses every letter outside it, so the
// arguments are taken again from the UTF-16 command line.
std::vector<std::string> CommandLineArguments(int argc, char* argv[]);

// Makes a console show UTF-8 text as such (Windows: the console's output code page); bytes
// written to a file or a pipe stay as they are. Does nothing on POSIX systems.
void ShowUtf8OnConsole();

// The argument with which the system's own programs are asked for their help, where it is not
// an option's spelling: "/?" on Windows, where "/" begins no option; empty on POSIX systems.
std::string_view SystemHelpSwitch();

}  // namespace walkconv
