#pragma once

#include <string>

#include "cli/batch.h"
#include "cli/exit_status.h"
#include "cli/input_work.h"
#include "cli/request.h"

namespace walkconv::cli {

// edit: the request's operations applied in order to the input as one change, printed as diff
// prints the change ("walking graph of INPUT", then a line for each difference); with -i, -o
// or -d also written in the input's own kind, keeping its text. An operation the graph refuses
// writes nothing and ends with NotValid, saying which operation and why.
ExitStatus EditInput(const std::string& input, Turn& turn, const Request& request,
                     Console& console);

}  // namespace walkconv::cli
