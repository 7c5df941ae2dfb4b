#pragma once

#include <optional>
#include <string>

#include "cli/batch.h"
#include "cli/exit_status.h"
#include "cli/input_work.h"
#include "cli/request.h"
#include "core/editing/document_file.h"

namespace walkconv::cli {

// fix: the repairs of the findings that have one sound repair, each on stdout in the place of
// the finding ("INPUT:LINE:COLUMN: fix: ..."), then a count of them and of the warnings left
// for a person, which go to stderr as check prints them. With -i, -o or -d the repaired
// document is written in the input's own kind and codes: over the input (only when a repair is
// due), or under the input's name; or, for --format json, the input's object in the document.
// Where fix writes the repaired `input`: over it with -i, under its own name with -o or -d;
// none without them.
std::optional<std::string> FixOutputOf(const std::string& input, const Request& request);

// Reports an input that fix or edit could not read as a document, in text or in JSON; Success
// when it was read.
ExitStatus ReportDocumentReading(const DocumentReading& reading, InputKind kind,
                                 const std::string& input, Console& console);

ExitStatus FixInput(const std::string& input, Turn& turn, const Request& request, Console& console);

}  // namespace walkconv::cli
