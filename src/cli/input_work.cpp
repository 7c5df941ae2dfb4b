#include "cli/input_work.h"

#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

#include "cli/input_checks.h"
#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/file_names.h"
#include "core/input_kind.h"
#include "core/messages.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text.h"
#include "core/text_file.h"
#include "core/walk/walk_reader.h"
#include "core/walk/walk_writer.h"

namespace walkconv::cli {

namespace {

namespace fs = std::filesystem;

// One direction of conversion: the Analyse and Convert! of one window.
struct Direction {
    AnalysisOutcome (*analyse)(const std::string& input, ConversionState& state);
    void (*write)(const fs::path& output, const ConversionState& state);
    std::string (*proposedName)(std::string_view model);
    const char* notValidText;  // begins with a blank, as the window shows it
};

constexpr Direction kWalkToSailorpoints{
    [](const std::string& input, ConversionState& state) { return AnalyseWalk(input, state); },
    WriteSailorpoints, ProposedSailorpointsName, kNotValidWalkText};

constexpr Direction kSailorpointsToWalk{[](const std::string& input, ConversionState& state) {
                                            return AnalyseSailorpoints(input, state);
                                        },
                                        WriteWalkSource, ProposedWalkSourceName,
                                        kNotValidSailorpointsText};

// The message for an analysis that left nothing to convert; Success for a valid one.
ExitStatus ReportAnalysis(AnalysisOutcome outcome, const std::string& input,
                          const char* notValidText, std::ostream& err) {
    switch (outcome) {
        case AnalysisOutcome::Valid:
            return ExitStatus::Success;
        case AnalysisOutcome::NotValid:
            err << input << ":" << notValidText << "\n";
            return ExitStatus::NotValid;
        case AnalysisOutcome::Failed:
            err << input << ": " << kInputCorruptedMessage << "\n";
            return ExitStatus::Failed;
        case AnalysisOutcome::NothingDone:
            err << input << ": no such file\n";
            return ExitStatus::Missing;
    }
    return ExitStatus::Failed;
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

ExitStatus Convert(const Direction& direction, const std::string& input, Turn& turn,
                   const Request& request, Console& console) {
    ConversionState state;  // fresh for every input
    const AnalysisOutcome outcome = direction.analyse(input, state);
    turn.Wait();
    const ExitStatus analysed = ReportAnalysis(outcome, input, direction.notValidText, console.err);
    if (analysed != ExitStatus::Success) {
        return analysed;
    }
    if (request.model) {
        state.ModelName = *request.model;  // as typed into the window's model name box
    }
    std::string output;
    if (request.output) {
        output = *request.output;
    } else {
        const std::string folder =
            request.dir ? *request.dir : Utf8FromPath(PathFromUtf8(input).parent_path());
        output =
            InFolder(folder, SeparatorOf(folder, input), direction.proposedName(state.ModelName));
    }
    try {
        direction.write(PathFromUtf8(output), state);
    } catch (const std::exception& error) {
        console.err << output << ": cannot write: " << error.what() << "\n";
        return ExitStatus::CannotWrite;
    }
    if (!request.quiet) {
        console.out << input << " -> " << output << " (" << state.PointCount << " points, "
                    << state.LinkCount << " links)\n";
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

}  // namespace

ExitStatus ConvertToSailorpoints(const std::string& input, Turn& turn, const Request& request,
                                 Console& console) {
    return Convert(kWalkToSailorpoints, input, turn, request, console);
}

ExitStatus ConvertToWalkSource(const std::string& input, Turn& turn, const Request& request,
                               Console& console) {
    return Convert(kSailorpointsToWalk, input, turn, request, console);
}

ExitStatus CheckInput(const std::string& input, Turn& turn, const Request& request,
                      Console& console) {
    ConversionState state;
    AnalysisDetails details;
    WalkSourceFacts facts;
    const bool walk = KindOfInput(input) == InputKind::WalkSource;
    const AnalysisOutcome outcome = walk ? AnalyseWalk(input, state, &details, &facts)
                                         : AnalyseSailorpoints(input, state, &details);
    std::vector<std::string> warnings;
    if (outcome == AnalysisOutcome::Valid) {  // else the counts may lie beyond the tables
        warnings = FindWarnings(state, details, walk ? &facts : nullptr);
    }
    turn.Wait();
    const ExitStatus analysed = ReportAnalysis(
        outcome, input, walk ? kNotValidWalkText : kNotValidSailorpointsText, console.err);
    if (analysed != ExitStatus::Success) {
        return analysed;
    }
    console.out << (console.summaryShown ? "\n" : "") << input << ":\n" << SummaryLines(state);
    console.summaryShown = true;
    for (const std::string& warning : warnings) {
        console.err << input << ": warning: " << warning << "\n";
    }
    return warnings.empty() || !request.werror ? ExitStatus::Success : ExitStatus::Warnings;
}

}  // namespace walkconv::cli
