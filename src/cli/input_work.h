#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/batch.h"
#include "cli/exit_status.h"
#include "cli/request.h"

// The work of each command on one input: analyse it, print what it came to, write its output.
namespace walkconv::cli {

class JsonReport;

// Where a run prints: results to `out`, messages to `err`.
struct Console {
    std::ostream& out;
    std::ostream& err;
    bool summaryShown = false;   // check: a summary is out already, the next one needs a gap
    JsonReport* json = nullptr;  // check --format json: the document that takes each input
};

// One command's work on one input. The analysis may run before the input's turn comes; every
// line printed and every file written waits for it.
using InputCommand = ExitStatus (*)(const std::string& input, Turn& turn, const Request& request,
                                    Console& console);

// The output a writing command would write for `input`, known before anything is read but
// the kind of an input without a known ending; none when the input's file name names no model.
using OutputOf = std::optional<std::string> (*)(const std::string& input, const Request& request);

// Any command: a wildcard pattern that no file matches, reported as a missing input.
ExitStatus ReportPatternMatchingNothing(const std::string& pattern, Turn& turn, Console& console);

// to-ini: the walk source into <model>1.ini.
ExitStatus ConvertToSailorpoints(const std::string& input, Turn& turn, const Request& request,
                                 Console& console);

// to-walk: the sailorpoints file into <model>_walk.c.
ExitStatus ConvertToWalkSource(const std::string& input, Turn& turn, const Request& request,
                               Console& console);

// Where to-ini, to-walk and render write the output of `input`.
std::optional<std::string> SailorpointsOutputOf(const std::string& input, const Request& request);
std::optional<std::string> WalkSourceOutputOf(const std::string& input, const Request& request);
std::optional<std::string> GraphOutputOf(const std::string& input, const Request& request);

// check: the summary of a valid input on stdout, its warnings (and with -v its notes) on
// stderr; or, for --format json, the input's object in the document.
ExitStatus CheckInput(const std::string& input, Turn& turn, const Request& request,
                      Console& console);

// render: the picture of the walk source or sailorpoints file as <model>_graph.svg.
ExitStatus RenderGraph(const std::string& input, Turn& turn, const Request& request,
                       Console& console);

}  // namespace walkconv::cli
