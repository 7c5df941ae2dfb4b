#include "cli/edit_command.h"

#include <exception>
#include <optional>

#include "cli/diff_report.h"
#include "cli/edit_operations.h"
#include "cli/fix_command.h"
#include "cli/json_report.h"
#include "cli/output_writing.h"
#include "cli/verdict.h"
#include "core/diff/graph_diff.h"
#include "core/editing/document_file.h"
#include "core/text.h"
#include "core/text_file.h"

namespace walkconv::cli {

namespace {

// What edit makes of one input before its turn comes.
struct EditPlan {
    InputKind kind = InputKind::WalkSource;
    DocumentReading reading;
    GraphDocument edited;
    std::string refusal;                // which operation the graph refused, and why
    std::string saveRefusal;            // why the input's text cannot carry the change
    std::optional<std::string> output;  // where the input is written, if anywhere
    std::string content;                // what is written there
};

EditPlan PlanEdit(const std::string& input, const Request& request) {
    EditPlan plan;
    plan.kind = KindOfInput(input);
    plan.reading = ReadDocument(input, plan.kind);
    if (!plan.reading.document) {
        return plan;
    }
    plan.edited = *plan.reading.document;
    for (const EditOperation& operation : request.operations) {
        const EditResult result = ApplyOperation(plan.edited, operation);
        if (!result.Applied()) {
            plan.refusal = "operation " + std::to_string(operation.place) + " (" + operation.text +
                           "): " + result.refusal;
            return plan;
        }
    }
    const bool writes = request.inPlace || request.output || request.dir;
    if (!writes || (request.inPlace && plan.edited == *plan.reading.document)) {
        return plan;  // nothing to write, or nothing changed: the file stays as it is
    }
    try {
        plan.content = SavedText(plan.edited, input);
        plan.output = FixOutputOf(input, request);
    } catch (const SaveRefused& refused) {
        plan.saveRefusal = refused.what();
    }
    return plan;
}

}  // namespace

ExitStatus EditInput(const std::string& input, Turn& turn, const Request& request,
                     Console& console) {
    EditPlan plan = PlanEdit(input, request);
    turn.Wait();
    const DocumentReading& reading = plan.reading;
    if (const ExitStatus read = ReportDocumentReading(reading, plan.kind, input, console);
        read != ExitStatus::Success) {
        return read;
    }
    if (!plan.refusal.empty()) {
        if (console.json != nullptr) {
            console.json->AddEdited(input, ExitStatus::NotValid, std::nullopt, nullptr,
                                    plan.refusal);
        } else {
            console.err << input << ": " << plan.refusal << "\n";
        }
        return ExitStatus::NotValid;
    }
    ExitStatus status = ExitStatus::Success;
    std::string message = plan.saveRefusal;
    if (!plan.saveRefusal.empty()) {
        status = ExitStatus::CannotWrite;
    }
    bool written = false;
    if (plan.output) {
        try {
            WriteOutput(*plan.output, plan.content, console.out, console.err);
            written = true;
        } catch (const std::exception& error) {
            message = *plan.output + ": cannot write: " + error.what();
            status = ExitStatus::CannotWrite;
        }
    }
    const GraphDiff diff = DiffGraphs(*reading.document, plan.edited);
    if (console.json != nullptr) {
        const std::string change = DiffJson(input, input, diff, std::nullopt);
        console.json->AddEdited(input, status, written ? plan.output : std::nullopt, &change,
                                message);
        return status;
    }
    // The edited file fills the standard output, so the lines about it go with the messages.
    std::ostream& out = plan.output && IsStandardOutput(*plan.output) ? console.err : console.out;
    if (!request.quiet) {
        out << "walking graph of " << input << "\n"
            << DiffLines(diff, plan.edited.points.size(), plan.edited.links.size());
    }
    if (!message.empty()) {
        console.err << message << "\n";
    }
    return status;
}

}  // namespace walkconv::cli
