#include "cli/diff_command.h"

#include <optional>
#include <string>
#include <string_view>
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

// The graph of one side; none after saying on `err` why it cannot be compared.
std::optional<GraphDocument> ReadSide(const std::string& path, std::ostream& err) {
    if (IsNullDevice(path)) {
        return GraphDocument{};
    }
    const InputKind kind = KindOfInput(path);
    DocumentReading reading = ReadDocument(path, kind);
    const Verdict verdict =
        ReportAnalysis(reading.outcome, kind, reading.details.failure, path, err);
    if (verdict.status != ExitStatus::Success) {
        return std::nullopt;
    }
    return std::move(reading.document);
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
    std::optional<GraphDocument> a = ReadSide(aPath, err);
    std::optional<GraphDocument> b = ReadSide(bPath, err);
    if (!a || !b) {
        return static_cast<int>(DiffStatus::Trouble);
    }
    // An empty side takes the other's kind, so that no type is mapped.
    if (IsNullDevice(aPath)) {
        a->kind = b->kind;
    }
    if (IsNullDevice(bPath)) {
        b->kind = a->kind;
    }
    const GraphDiff diff = DiffGraphs(*a, *b);
    std::optional<std::string> gitPath;
    if (request.git) {
        gitPath = args.size() == 9 ? args[0] + " -> " + args[7] : args[0];
    }
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
