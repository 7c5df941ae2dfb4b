#pragma once

#include <ostream>

#include "cli/request.h"

namespace walkconv::cli {

// diff A B: what changed from the walking graph of A to that of B, on stdout, as lines or one
// JSON document; returns a DiffStatus. With --git the operands are those git gives a diff
// driver, a file added or deleted is compared with an empty graph, and different graphs end
// with 0 as well. An input that cannot be read is reported on stderr as every command does.
int DiffFiles(const Request& request, std::ostream& out, std::ostream& err);

}  // namespace walkconv::cli
