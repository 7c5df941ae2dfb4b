#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "core/analysis.h"
#include "core/conversion_error.h"
#include "core/conversion_state.h"
#include "core/input_kind.h"

// What the analysis of one input comes to for a command, and the line that says so.
namespace walkconv::cli {

// The input's status, and for one that left nothing to work on the message printed after
// "INPUT: ".
struct Verdict {
    ExitStatus status = ExitStatus::Success;
    std::string_view message;
};

Verdict VerdictOn(AnalysisOutcome outcome, InputKind kind, const std::string& input);

// The verdict, with its message on `err` when the input is refused: for a failed one, where
// and why it failed, in the form compilers use.
Verdict ReportAnalysis(AnalysisOutcome outcome, InputKind kind, const Failure& failure,
                       const std::string& input, std::ostream& err);

// What the JSON report can say of an input that was not worked on: its model name once the
// file was found, and its counts once it was read to the end.
PartialSummary KnownOf(AnalysisOutcome outcome, const ConversionState& state);

}  // namespace walkconv::cli
