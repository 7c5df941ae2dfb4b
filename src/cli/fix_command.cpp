#include "cli/fix_command.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <optional>
#include <vector>

#include "cli/diagnostics.h"
#include "cli/json_report.h"
#include "cli/output_place.h"
#include "cli/output_writing.h"
#include "cli/verdict.h"
#include "core/counted.h"
#include "core/editing/document_file.h"
#include "core/editing/repairs.h"
#include "core/text.h"
#include "core/text_file.h"

namespace walkconv::cli {

namespace {

// What fix makes of one input before its turn comes.
struct FixPlan {
    InputKind kind = InputKind::WalkSource;
    DocumentReading reading;
    std::vector<Repair> repairs;        // those made, or due
    std::vector<Finding> left;          // for a person: every finding without a repair made
    std::string refusal;                // why the repairs cannot be made, when they cannot
    std::optional<std::string> output;  // where the input is written, if anywhere
    std::string content;                // what is written there
    std::string saveRefusal;            // why the input's text cannot carry the repairs
};

FixPlan PlanFix(const std::string& input, const Request& request) {
    FixPlan plan;
    plan.kind = KindOfInput(input);
    plan.reading = ReadDocument(input, plan.kind);
    if (!plan.reading.document) {
        return plan;
    }
    GraphDocument& document = *plan.reading.document;
    const std::vector<Finding> findings = FindingsOf(document, &request.deckCheck);
    std::vector<Repair> repairs = RepairsOf(document, findings, &request.deckCheck);
    const EditResult applied = ApplyEdit(document, RepairAll(repairs));
    if (applied.Applied()) {
        plan.repairs = std::move(repairs);
    } else {
        plan.refusal = applied.refusal;  // as when removing every link
    }
    std::copy_if(findings.begin(), findings.end(), std::back_inserter(plan.left),
                 [&](const Finding& finding) {
                     return !applied.Applied() || !IsRepaired(finding, plan.repairs);
                 });

    const bool writes = request.inPlace || request.output || request.dir;
    if (!writes || (request.inPlace && plan.repairs.empty())) {
        return plan;  // a file with nothing to repair is left as it is, time stamp and all
    }
    plan.output = FixOutputOf(input, request);
    try {
        const bool negativeEnds = std::any_of(
            plan.repairs.begin(), plan.repairs.end(),
            [](const Repair& repair) { return repair.code == finding_code::kNegativeEnd; });
        plan.content = plan.repairs.empty() ? ReadTextFile(PathFromUtf8(input))
                                            : SavedText(document, input, negativeEnds);
    } catch (const SaveRefused& refused) {
        plan.saveRefusal = refused.what();
        plan.output.reset();
    }
    return plan;
}

// "INPUT: 1 repair, 0 findings left for a person", or "INPUT -> OUTPUT: 1 repair made, ..."
// once written.
std::string SummaryLine(const std::string& input, const FixPlan& plan, bool written, bool inPlace) {
    const auto warnings = std::count_if(plan.left.begin(), plan.left.end(), [](const Finding& f) {
        return f.severity == FindingSeverity::Warning;
    });
    const std::string head = written && !inPlace ? input + " -> " + *plan.output : input;
    return head + ": " + Counted(static_cast<int>(plan.repairs.size()), "repair") +
           (written ? " made" : "") + ", " + Counted(static_cast<int>(warnings), "finding") +
           " left for a person\n";
}

}  // namespace

std::optional<std::string> FixOutputOf(const std::string& input, const Request& request) {
    if (request.inPlace) {
        return input;
    }
    if (request.output || request.dir) {
        return OutputPath(request, input, std::string(FileNameOf(input)));
    }
    return std::nullopt;
}

ExitStatus ReportDocumentReading(const DocumentReading& reading, InputKind kind,
                                 const std::string& input, Console& console) {
    const Verdict verdict =
        ReportAnalysis(reading.outcome, kind, reading.details.failure, input, console.err);
    if (verdict.status != ExitStatus::Success && console.json != nullptr) {
        const bool failed = reading.outcome == AnalysisOutcome::Failed;
        console.json->AddRefused(input, verdict.status, verdict.message,
                                 KnownOf(reading.outcome, reading.state),
                                 failed ? &reading.details.failure : nullptr, ReportOf::Fix);
    }
    return verdict.status;
}

ExitStatus FixInput(const std::string& input, Turn& turn, const Request& request,
                    Console& console) {
    FixPlan plan = PlanFix(input, request);
    turn.Wait();
    const DocumentReading& reading = plan.reading;
    if (const ExitStatus read = ReportDocumentReading(reading, plan.kind, input, console);
        read != ExitStatus::Success) {
        return read;
    }
    const bool due = !plan.repairs.empty() || !plan.refusal.empty();
    ExitStatus status = due && request.werror ? ExitStatus::Warnings : ExitStatus::Success;
    if (!plan.saveRefusal.empty()) {
        status = ExitStatus::CannotWrite;
    }
    bool written = false;
    std::optional<WriteFailure> writeFailure;
    if (plan.output) {
        try {
            WriteOutput(*plan.output, plan.content, console.out, console.err);
            written = true;
        } catch (const std::exception& error) {
            console.err << *plan.output << ": cannot write: " << error.what() << "\n";
            status = ExitStatus::CannotWrite;
            writeFailure = WriteFailure{*plan.output, error.what()};
        }
    }
    if (console.json != nullptr) {
        console.json->AddFixed(input, status, written ? plan.output : std::nullopt, plan.repairs,
                               plan.left, plan.refusal, writeFailure, plan.saveRefusal);
        return status;
    }
    // The repaired file fills the standard output, so the lines about it go with the messages.
    std::ostream& out = plan.output && IsStandardOutput(*plan.output) ? console.err : console.out;
    if (!request.quiet) {
        for (const Repair& repair : plan.repairs) {
            out << Where(input, repair.place) << "fix: " << repair.description << "\n";
        }
    }
    if (!plan.refusal.empty()) {
        console.err << input << ": cannot repair: " << plan.refusal << "\n";
    }
    if (!plan.saveRefusal.empty()) {
        console.err << plan.saveRefusal << "\n";
    }
    PrintFindings(input, plan.left, request.verbose, console.err);
    if (!request.quiet) {
        out << SummaryLine(input, plan, written, request.inPlace);
    }
    return status;
}

}  // namespace walkconv::cli
