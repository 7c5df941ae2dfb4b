#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "core/analysis.h"
#include "core/conversion_error.h"
#include "core/findings/findings.h"

// Messages in the form compilers and linters use ("INPUT:LINE:COLUMN: error: ..."), which
// editors and terminals understand as a place to jump to.
namespace walkconv::cli {

// "INPUT:LINE:COLUMN: " for a place in the input, "INPUT: " without one.
std::string Where(const std::string& input, const std::optional<SourcePlace>& place);

// Every warning as "INPUT: warning: MESSAGE", and with `verbose` every note as
// "INPUT: note: MESSAGE", in the order of the findings; one about a statement or line names
// its place: "INPUT:LINE:COLUMN: warning: MESSAGE".
void PrintFindings(const std::string& input, std::span<const Finding> findings, bool verbose,
                   std::ostream& err);

// The lines that report a failed analysis: "INPUT:LINE:COLUMN: error: REASON", then the line
// the reader stopped at and a caret under the column; "INPUT: error: REASON" alone for a
// failure that has no line (a file that cannot be read, a name too short).
std::string FailureReport(const std::string& input, const Failure& failure);

}  // namespace walkconv::cli
