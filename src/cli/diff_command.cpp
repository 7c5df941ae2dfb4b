#include "cli/diff_command.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/diff_report.h"
#include "cli/exit_status.h"
#include "cli/verdict.h"
#include "core/diff/graph_diff.h"
#include "core/editing/document_file.h"
#include "core/input_kind.h"
#include "core/text.h"

namespace walkconv::cli {

namespace {

// The empty side of a file that was added or deleted: git names it "/dev/null", which the shell
// of git for Windows hands a Windows program as "nul" (or "\\.\nul").
bool IsNullDevice(std::string_view path) {
    const std::string upper = ToUpperAscii(path);
    return path == "/dev/null" || upper == "NUL" || upper == "NUL:" || upper == "\\\\.\\NUL";
}

// One side as read: its graph, or why it has none.
struct Side {
    std::optional<GraphDocument> document;
    InputKind kind = InputKind::WalkSource;
    AnalysisOutcome outcome = AnalysisOutcome::Valid;
    Failure failure;
};

Side ReadSide(const std::string& path) {
    Side side;
    if (IsNullDevice(path)) {
        side.document.emplace();
        return side;
    }
    side.kind = KindOfInput(path);
    DocumentReading reading = ReadDocument(path, side.kind);
    side.outcome = reading.outcome;
    side.failure = reading.details.failure;
    if (reading.outcome == AnalysisOutcome::Valid) {
        side.document = std::move(reading.document);
    }
    return side;
}

// Why a side cannot be compared, for the one line that --git prints in place of a diff.
std::string Refusal(const Side& side) {
    const std::string kind =
        side.kind == InputKind::WalkSource ? "a valid walk file" : "a valid sailorpoints file";
    switch (side.outcome) {
        case AnalysisOutcome::NotValid:
            return "not " + kind;
        case AnalysisOutcome::Failed:
            return "not " + kind + " (" + side.failure.message + ")";
        default:
            return "cannot be read";
    }
}

// The answer of --git when a side cannot be compared: git goes on to the next file only after
// a status of 0, so the text's difference is said in one line, and the run succeeds.
int ReportUncomparable(const std::string& gitPath, const std::string& aPath,
                       const std::string& bPath, const Side& bad, const Request& request,
                       std::ostream& out) {
    const std::string line = Refusal(bad) + "; the text differs";
    if (request.format == ReportFormat::Json) {
        out << UncomparableJson(gitPath, aPath, bPath, line);
    } else {
        out << gitPath << ": " << line << "\n";
    }
    return static_cast<int>(DiffStatus::Same);
}

}  // namespace

int DiffFiles(const Request& request, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& args = request.inputs;
    if (request.git && args.size() == 1) {
        out << "walking graph of " << args[0] << ": unmerged\n";
        return static_cast<int>(DiffStatus::Same);
    }
    const std::string& aPath = request.git ? args[1] : args[0];
    const std::string& bPath = request.git ? args[4] : args[1];
    Side aSide = ReadSide(aPath);
    Side bSide = ReadSide(bPath);
    std::optional<std::string> gitPath;
    if (request.git) {
        gitPath = args.size() == 9 ? args[0] + " -> " + args[7] : args[0];
    }
    if (!aSide.document || !bSide.document) {
        const Side& bad = aSide.document ? bSide : aSide;
        if (gitPath) {
            return ReportUncomparable(*gitPath, aPath, bPath, bad, request, out);
        }
        for (const auto& [side, path] : {std::pair{&aSide, &aPath}, std::pair{&bSide, &bPath}}) {
            if (!side->document) {
                ReportAnalysis(side->outcome, side->kind, side->failure, *path, err);
            }
        }
        return static_cast<int>(DiffStatus::Trouble);
    }
    std::optional<GraphDocument>& a = aSide.document;
    std::optional<GraphDocument>& b = bSide.document;
    // An empty side takes the other's kind, so that no type is mapped.
    if (IsNullDevice(aPath)) {
        a->kind = b->kind;
    }
    if (IsNullDevice(bPath)) {
        b->kind = a->kind;
    }
    const GraphDiff diff = DiffGraphs(*a, *b);
    if (request.format == ReportFormat::Json) {
        out << DiffJson(aPath, bPath, diff, gitPath);
    } else {
        if (gitPath) {
            out << "walking graph of " << *gitPath << "\n";
        }
        out << DiffLines(diff, b->points.size(), b->links.size());
    }
    return static_cast<int>(diff.Same() || request.git ? DiffStatus::Same : DiffStatus::Different);
}

}  // namespace walkconv::cli
