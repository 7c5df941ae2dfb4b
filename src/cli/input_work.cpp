#include "cli/input_work.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

#include "cli/diagnostics.h"
#include "cli/json_report.h"
#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/drawing/graph_drawing.h"
#include "core/drawing/svg_writer.h"
#include "core/file_names.h"
#include "core/findings/findings.h"
#include "core/input_kind.h"
#include "core/messages.h"
#include "core/platform/system_file.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text.h"
#include "core/text_file.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"

namespace walkconv::cli {

namespace {

namespace fs = std::filesystem;

// What the analysis of one input left: the state, what the reader noticed beside it and, for a
// walk source, the facts of its scan.
struct Analysed {
    InputKind kind = InputKind::WalkSource;
    AnalysisOutcome outcome = AnalysisOutcome::NothingDone;
    ConversionState state;
    AnalysisDetails details;
    WalkSourceFacts facts;

    // For a valid analysis only: else the counts may lie beyond the tables.
    std::vector<Finding> Findings() const {
        return CollectFindings(state, details, kind == InputKind::WalkSource ? &facts : nullptr);
    }
};

Analysed Analyse(const std::string& input, InputKind kind) {
    Analysed analysed;  // a fresh state for every input
    analysed.kind = kind;
    analysed.outcome = kind == InputKind::WalkSource
                           ? AnalyseWalk(input, analysed.state, &analysed.details, &analysed.facts)
                           : AnalyseSailorpoints(input, analysed.state, &analysed.details);
    return analysed;
}

// What an analysis comes to: the input's status, and for one that left nothing to work on the
// message printed after "INPUT: ".
struct Verdict {
    ExitStatus status = ExitStatus::Success;
    std::string_view message;
};

// Why an input that the analysis did not find counts as missing.
std::string_view MissingBecause(const std::string& input) {
    return IsMarkedHiddenOrSystem(PathFromUtf8(input)) ? "hidden or system file, taken as missing"
                                                       : "no such file";
}

Verdict VerdictOn(const Analysed& analysed, const std::string& input) {
    switch (analysed.outcome) {
        case AnalysisOutcome::Valid:
            return {};
        case AnalysisOutcome::NotValid: {
            const std::string_view text = analysed.kind == InputKind::WalkSource
                                              ? kNotValidWalkText
                                              : kNotValidSailorpointsText;
            return {ExitStatus::NotValid, text.substr(1)};  // as the window shows it, after a blank
        }
        case AnalysisOutcome::Failed:
            return {ExitStatus::Failed, kInputCorruptedMessage};
        case AnalysisOutcome::NothingDone:
            return {ExitStatus::Missing, MissingBecause(input)};
    }
    return {ExitStatus::Failed, kInputCorruptedMessage};
}

// The verdict, with its message on `err` when the input is refused: for a failed one, where
// and why it failed, in the form compilers use.
Verdict ReportAnalysis(const Analysed& analysed, const std::string& input, std::ostream& err) {
    const Verdict verdict = VerdictOn(analysed, input);
    if (analysed.outcome == AnalysisOutcome::Failed) {
        err << FailureReport(input, analysed.details.failure);
    } else if (verdict.status != ExitStatus::Success) {
        err << input << ": " << verdict.message << "\n";
    }
    return verdict;
}

// The separators of path texts: "/" everywhere, and "\" too where the system says so.
constexpr bool kBackslashSeparates = fs::path::preferred_separator == '\\';
constexpr std::string_view kSeparators = kBackslashSeparates ? "/\\" : "/";

// The separator with which the user writes paths: the last one in `folder`, else the last one
// in `input`, else the system's own.
char SeparatorOf(std::string_view folder, std::string_view input) {
    for (const std::string_view text : {folder, input}) {
        if (const std::size_t at = text.find_last_of(kSeparators); at != std::string_view::npos) {
            return text[at];
        }
    }
    return static_cast<char>(fs::path::preferred_separator);
}

// The text of `folder` joined with a file name, with the separator the user writes, so that a
// message never mixes "/" and "\" within one path.
std::string InFolder(const std::string& folder, char separator, const std::string& name) {
    std::string joined = Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(name));
    const std::size_t at = folder.size();
    if (joined.size() == at + 1 + name.size() && kSeparators.find(joined[at]) != kSeparators.npos) {
        joined[at] = separator;
    }
    return joined;
}

// What a writing command makes of an input: the kind it reads the input as, the bytes of the
// output and the name proposed for it.
struct Product {
    InputKind (*kindOf)(const std::string& input);
    // The output's content, and what the printed line says of it after the numbers of points
    // and links ("" for nothing more).
    struct Made {
        std::string content;
        std::string more;
    };
    Made (*make)(const Analysed& analysed);
    std::string (*proposedName)(std::string_view model);
};

constexpr Product kSailorpoints{[](const std::string&) { return InputKind::WalkSource; },
                                [](const Analysed& analysed) {
                                    return Product::Made{FormatSailorpoints(analysed.state), {}};
                                },
                                ProposedSailorpointsName};

constexpr Product kWalkSource{[](const std::string&) { return InputKind::Sailorpoints; },
                              [](const Analysed& analysed) {
                                  return Product::Made{FormatWalkSource(analysed.state), {}};
                              },
                              ProposedWalkSourceName};

constexpr Product kGraphPicture{KindOfInput,
                                [](const Analysed& analysed) {
                                    const std::vector<Finding> findings = analysed.Findings();
                                    return Product::Made{
                                        FormatGraphSvg(DrawGraph(analysed.state, findings)),
                                        ", " + std::to_string(findings.size()) + " findings"};
                                },
                                ProposedGraphName};

// The Analyse and Convert! of one window. The output is made before the input's turn, so that
// inputs are worked on side by side; only writing it and printing wait for the turn.
ExitStatus Convert(const Product& product, const std::string& input, Turn& turn,
                   const Request& request, Console& console) {
    Analysed analysed = Analyse(input, product.kindOf(input));
    Product::Made made;
    if (analysed.outcome == AnalysisOutcome::Valid) {
        if (request.model) {
            analysed.state.ModelName = *request.model;  // as typed into the window's model name box
        }
        made = product.make(analysed);
    }
    turn.Wait();
    const Verdict verdict = ReportAnalysis(analysed, input, console.err);
    if (verdict.status != ExitStatus::Success) {
        return verdict.status;
    }
    const ConversionState& state = analysed.state;
    std::string output;
    if (request.output) {
        output = *request.output;
    } else {
        const std::string folder =
            request.dir ? *request.dir : Utf8FromPath(PathFromUtf8(input).parent_path());
        output =
            InFolder(folder, SeparatorOf(folder, input), product.proposedName(state.ModelName));
    }
    try {
        WriteFileAtomically(PathFromUtf8(output), made.content);
    } catch (const std::exception& error) {
        console.err << output << ": cannot write: " << error.what() << "\n";
        return ExitStatus::CannotWrite;
    }
    if (!request.quiet) {
        console.out << input << " -> " << output << " (" << state.PointCount << " points, "
                    << state.LinkCount << " links" << made.more << ")\n";
    }
    return ExitStatus::Success;
}

// The window's summary, one line per line on a terminal.
std::string SummaryLines(const ConversionState& state) {
    const std::string summary = AnalysisSummary(state);
    std::string lines;
    std::size_t from = 0;
    for (std::size_t end = summary.find("\r\n"); end != std::string::npos;
         from = end + 2, end = summary.find("\r\n", from)) {
        lines.append(summary, from, end - from).append("\n");
    }
    return lines.append(summary, from).append("\n");
}

// What the JSON report can say of an input that was not checked: its model name once the file
// was found, and its counts once it was read to the end. A count below 0 means the reader met
// no entry at all.
PartialSummary KnownOf(const Analysed& analysed) {
    PartialSummary known;
    if (analysed.outcome != AnalysisOutcome::NothingDone) {
        known.model = analysed.state.ModelName;
    }
    if (analysed.outcome == AnalysisOutcome::NotValid) {
        known.points = std::max<int>(analysed.state.PointCount, 0);
        known.links = std::max<int>(analysed.state.LinkCount, 0);
    }
    return known;
}

// Every warning as "INPUT: warning: MESSAGE", and with `verbose` every note as
// "INPUT: note: MESSAGE", in the order of the findings; one about a statement or line names
// its place: "INPUT:LINE:COLUMN: warning: MESSAGE".
void PrintFindings(const std::string& input, std::span<const Finding> findings, bool verbose,
                   std::ostream& err) {
    for (const Finding& finding : findings) {
        if (finding.severity == FindingSeverity::Warning) {
            err << Where(input, finding.place) << "warning: " << finding.message << "\n";
        } else if (verbose) {
            err << Where(input, finding.place) << "note: " << finding.message << "\n";
        }
    }
}

}  // namespace

ExitStatus ReportPatternMatchingNothing(const std::string& pattern, Turn& turn, Console& console) {
    constexpr std::string_view kNoMatch = "no file matches";
    turn.Wait();
    console.err << pattern << ": " << kNoMatch << "\n";
    if (console.json != nullptr) {
        console.json->AddRefused(pattern, ExitStatus::Missing, kNoMatch, {});
    }
    return ExitStatus::Missing;
}

ExitStatus ConvertToSailorpoints(const std::string& input, Turn& turn, const Request& request,
                                 Console& console) {
    return Convert(kSailorpoints, input, turn, request, console);
}

ExitStatus ConvertToWalkSource(const std::string& input, Turn& turn, const Request& request,
                               Console& console) {
    return Convert(kWalkSource, input, turn, request, console);
}

ExitStatus RenderGraph(const std::string& input, Turn& turn, const Request& request,
                       Console& console) {
    return Convert(kGraphPicture, input, turn, request, console);
}

ExitStatus CheckInput(const std::string& input, Turn& turn, const Request& request,
                      Console& console) {
    const Analysed analysed = Analyse(input, KindOfInput(input));
    std::vector<Finding> findings;
    if (analysed.outcome == AnalysisOutcome::Valid) {
        findings = analysed.Findings();
    }
    turn.Wait();
    const Verdict verdict = ReportAnalysis(analysed, input, console.err);
    if (verdict.status != ExitStatus::Success) {
        if (console.json != nullptr) {
            const bool failed = analysed.outcome == AnalysisOutcome::Failed;
            console.json->AddRefused(input, verdict.status, verdict.message, KnownOf(analysed),
                                     failed ? &analysed.details.failure : nullptr);
        }
        return verdict.status;
    }
    const bool warned = std::any_of(findings.begin(), findings.end(), [](const Finding& finding) {
        return finding.severity == FindingSeverity::Warning;
    });
    const ExitStatus status = warned && request.werror ? ExitStatus::Warnings : ExitStatus::Success;
    if (console.json != nullptr) {
        console.json->AddChecked(input, status, analysed.state, findings);
        return status;
    }
    console.out << (console.summaryShown ? "\n" : "") << input << ":\n"
                << SummaryLines(analysed.state);
    console.summaryShown = true;
    PrintFindings(input, findings, request.verbose, console.err);
    return status;
}

}  // namespace walkconv::cli
