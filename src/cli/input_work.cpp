#include "cli/input_work.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

#include "cli/diagnostics.h"
#include "cli/json_report.h"
#include "cli/output_place.h"
#include "cli/output_writing.h"
#include "cli/verdict.h"
#include "core/analysis.h"
#include "core/conversion_error.h"
#include "core/conversion_state.h"
#include "core/counted.h"
#include "core/drawing/graph_drawing.h"
#include "core/drawing/svg_writer.h"
#include "core/file_kinds.h"
#include "core/file_names.h"
#include "core/findings/findings.h"
#include "core/input_kind.h"
#include "core/messages.h"
#include "core/platform/system_file.h"
#include "core/text.h"
#include "core/text_file.h"
#include "core/walk/walk_reader.h"

namespace walkconv::cli {

namespace {

// What the analysis of one input left: the state, what the reader noticed beside it and, for a
// walk source, the facts of its scan.
struct Analysed {
    InputKind kind = InputKind::WalkSource;
    AnalysisOutcome outcome = AnalysisOutcome::NothingDone;
    ConversionState state;
    AnalysisDetails details;
    WalkSourceFacts facts;

    // For a valid analysis only: else the counts may lie beyond the tables.
    std::vector<Finding> Findings(const Request& request) const {
        return CollectFindings(state, details, kind == InputKind::WalkSource ? &facts : nullptr,
                               &request.deckCheck);
    }
};

Analysed Analyse(const std::string& input, InputKind kind) {
    Analysed analysed;  // a fresh state for every input
    analysed.kind = kind;
    analysed.outcome = AnalyseFile(kind, input, analysed.state, &analysed.details, &analysed.facts);
    return analysed;
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
    Made (*make)(const Analysed& analysed, const Request& request);
    std::string (*proposedName)(std::string_view model);
    // What the output will not do as the user may expect, as warnings; none for most.
    std::vector<std::string> (*cautions)(const ConversionState& state);
};

std::vector<std::string> NoCautions(const ConversionState&) {
    return {};
}

// The identifiers of a walk source begin with the model name, which a C compiler then takes
// only when it is made of letters, digits and underscores and begins with no digit.
bool MakesCIdentifiers(std::string_view model) {
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    return (model.empty() || !(model.front() >= '0' && model.front() <= '9')) &&
           std::all_of(model.begin(), model.end(),
                       [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

// A walk source writes each link as (a)*256 + (b), which a point number of 256 or more (in
// files of more than 256 points) makes a value that reads as another link.
std::vector<std::string> WalkSourceCautions(const ConversionState& state) {
    std::vector<std::string> cautions;
    if (!MakesCIdentifiers(state.ModelName)) {
        cautions.push_back("the model name \"" + state.ModelName +
                           "\" is no C identifier, so no C compiler takes \"" + state.ModelName +
                           "_walk_init\"");
    }
    int wide = 0;
    int first = -1;
    for (int i = 0; i < state.LinkCount; ++i) {
        if (state.Links[i].from >= 256 || state.Links[i].to >= 256) {
            first = wide++ == 0 ? i : first;
        }
    }
    if (wide == 1) {
        cautions.push_back("1 link joins a point numbered 256 or more (link " +
                           std::to_string(first) +
                           "): its value (a)*256 + (b) reads as another link once evaluated");
    } else if (wide > 1) {
        cautions.push_back(std::to_string(wide) +
                           " links join a point numbered 256 or more (link " +
                           std::to_string(first) +
                           " first): their values (a)*256 + (b) read as other links once "
                           "evaluated");
    }
    return cautions;
}

constexpr Product kSailorpoints{
    [](const std::string&) { return InputKind::WalkSource; },
    [](const Analysed& analysed, const Request&) {
        return Product::Made{FormatFile(InputKind::Sailorpoints, analysed.state), {}};
    },
    ProposedSailorpointsName, NoCautions};

constexpr Product kWalkSource{
    [](const std::string&) { return InputKind::Sailorpoints; },
    [](const Analysed& analysed, const Request&) {
        return Product::Made{FormatFile(InputKind::WalkSource, analysed.state), {}};
    },
    ProposedWalkSourceName, WalkSourceCautions};

constexpr Product kGraphPicture{
    KindOfInput,
    [](const Analysed& analysed, const Request& request) {
        const std::vector<Finding> findings = analysed.Findings(request);
        return Product::Made{
            FormatGraphSvg(DrawGraph(analysed.state, findings, request.deckCheck.mesh)),
            ", " + Counted(static_cast<int>(findings.size()), "finding")};
    },
    ProposedGraphName, NoCautions};

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
        made = product.make(analysed, request);
    }
    turn.Wait();
    const Verdict verdict = ReportAnalysis(analysed.outcome, analysed.kind,
                                           analysed.details.failure, input, console.err);
    if (verdict.status != ExitStatus::Success) {
        return verdict.status;
    }
    const ConversionState& state = analysed.state;
    const std::string output = OutputPath(request, input, product.proposedName(state.ModelName));
    for (const std::string& caution : product.cautions(state)) {
        console.err << input << ": warning: " << caution << "\n";
    }
    try {
        WriteOutput(output, made.content, console.out, console.err);
    } catch (const std::exception& error) {
        console.err << output << ": cannot write: " << error.what() << "\n";
        return ExitStatus::CannotWrite;
    }
    if (!request.quiet) {
        // The output fills the standard output, so the line about it goes with the messages.
        std::ostream& report = IsStandardOutput(output) ? console.err : console.out;
        report << input << " -> " << output << " (" << Counted(state.PointCount, "point") << ", "
               << Counted(state.LinkCount, "link") << made.more << ")\n";
    }
    return ExitStatus::Success;
}

// Where Convert will write the output of `input`: the model name comes from the file name as
// the reader of its kind cuts it, or from --model.
std::optional<std::string> PlannedOutputOf(const Product& product, const std::string& input,
                                           const Request& request) {
    if (request.output) {
        return request.output;
    }
    std::string model;
    if (request.model) {
        model = *request.model;
    } else {
        const std::size_t suffix = product.kindOf(input) == InputKind::WalkSource
                                       ? kWalkSourceSuffix.size()
                                       : kSailorpointsSuffix.size();
        try {
            model = DropLastCharacters(FileNameOf(input), suffix);
        } catch (const ConversionError&) {
            return std::nullopt;  // the analysis fails on the name, and nothing is written
        }
    }
    return OutputPath(request, input, product.proposedName(model));
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

std::optional<std::string> SailorpointsOutputOf(const std::string& input, const Request& request) {
    return PlannedOutputOf(kSailorpoints, input, request);
}

std::optional<std::string> WalkSourceOutputOf(const std::string& input, const Request& request) {
    return PlannedOutputOf(kWalkSource, input, request);
}

std::optional<std::string> GraphOutputOf(const std::string& input, const Request& request) {
    return PlannedOutputOf(kGraphPicture, input, request);
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
        findings = analysed.Findings(request);
    }
    turn.Wait();
    const Verdict verdict = ReportAnalysis(analysed.outcome, analysed.kind,
                                           analysed.details.failure, input, console.err);
    if (verdict.status != ExitStatus::Success) {
        if (console.json != nullptr) {
            const bool failed = analysed.outcome == AnalysisOutcome::Failed;
            console.json->AddRefused(input, verdict.status, verdict.message,
                                     KnownOf(analysed.outcome, analysed.state),
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
