#pragma once

#include <string>

#include "cli/request.h"

// Where a command writes the output of one input, and how the path is spelt in messages.
namespace walkconv::cli {

// The output of `input` named `name`: the path given with -o; else `name` in the folder given
// with -d, or beside the input; joined with the separator the user writes, so that a message
// never mixes "/" and "\" within one path.
std::string OutputPath(const Request& request, const std::string& input, const std::string& name);

}  // namespace walkconv::cli
