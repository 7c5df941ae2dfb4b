#include "cli/verdict.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/diagnostics.h"
#include "core/messages.h"
#include "core/platform/system_file.h"
#include "core/text_file.h"

namespace walkconv::cli {

namespace {

// Why an input that the analysis did not find counts as missing.
std::string_view MissingBecause(const std::string& input) {
    const std::filesystem::path path = PathFromUtf8(input);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return "is a folder";
    }
    return IsMarkedHiddenOrSystem(path) ? "hidden or system file, taken as missing"
                                        : "no such file";
}

}  // namespace

Verdict VerdictOn(AnalysisOutcome outcome, InputKind kind, const std::string& input) {
    switch (outcome) {
        case AnalysisOutcome::Valid:
            return {};
        case AnalysisOutcome::NotValid: {
            const std::string_view text =
                kind == InputKind::WalkSource ? kNotValidWalkText : kNotValidSailorpointsText;
            return {ExitStatus::NotValid, text.substr(1)};  // as the window shows it, after a blank
        }
        case AnalysisOutcome::Failed:
            return {ExitStatus::Failed, kInputCorruptedMessage};
        case AnalysisOutcome::NothingDone:
            return {ExitStatus::Missing, MissingBecause(input)};
    }
    return {ExitStatus::Failed, kInputCorruptedMessage};
}

Verdict ReportAnalysis(AnalysisOutcome outcome, InputKind kind, const Failure& failure,
                       const std::string& input, std::ostream& err) {
    const Verdict verdict = VerdictOn(outcome, kind, input);
    if (outcome == AnalysisOutcome::Failed) {
        err << FailureReport(input, failure);
    } else if (verdict.status != ExitStatus::Success) {
        err << input << ": " << verdict.message << "\n";
    }
    return verdict;
}

// A count below 0 means the reader met no entry at all.
PartialSummary KnownOf(AnalysisOutcome outcome, const ConversionState& state) {
    PartialSummary known;
    if (outcome != AnalysisOutcome::NothingDone) {
        known.model = state.ModelName;
    }
    if (outcome == AnalysisOutcome::NotValid) {
        known.points = std::max<int>(state.PointCount, 0);
        known.links = std::max<int>(state.LinkCount, 0);
    }
    return known;
}

}  // namespace walkconv::cli
