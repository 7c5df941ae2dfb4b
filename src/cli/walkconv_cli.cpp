#include "cli/walkconv_cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/input_checks.h"
#include "cli/version.h"
#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/file_names.h"
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

constexpr char kProgram[] = "walkconv";

// ---------------------------------------------------------------------------------------------
// Exit statuses, in numeric order, with the rank that decides which one a run ends with.

struct StatusSpec {
    ExitStatus status;
    int severity;
    std::string_view meaning;
};

constexpr std::array kStatuses{
    StatusSpec{ExitStatus::Success, 0, "every input converted (check: every input valid)"},
    StatusSpec{ExitStatus::NotValid, 2, "some input not valid (no points or no links)"},
    StatusSpec{ExitStatus::Failed, 3, "some input failed (corrupted, or cannot be read)"},
    StatusSpec{ExitStatus::Missing, 4, "some input missing"},
    StatusSpec{ExitStatus::CannotWrite, 5, "some output could not be written"},
    StatusSpec{ExitStatus::Warnings, 1, "check --werror: some input has warnings"},
    StatusSpec{ExitStatus::Usage, 6, "usage error: nothing was read or written"},
};

int Severity(ExitStatus status) {
    for (const StatusSpec& spec : kStatuses) {
        if (spec.status == status) {
            return spec.severity;
        }
    }
    return 0;
}

ExitStatus MoreSevere(ExitStatus a, ExitStatus b) {
    return Severity(b) > Severity(a) ? b : a;
}

// ---------------------------------------------------------------------------------------------
// The two conversions, each the Analyse and Convert! of one window.

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

// ---------------------------------------------------------------------------------------------
// The commands and their options.

struct CommandSpec {
    std::string_view name;
    std::string_view summary;
    const Direction* direction;  // what the command converts; none for check
    bool takesModel;
    bool takesWerror;
};

constexpr std::array kCommands{
    CommandSpec{"to-ini", "convert walk sources to sailorpoints files", &kWalkToSailorpoints, false,
                false},
    CommandSpec{"to-walk", "convert sailorpoints files to walk sources", &kSailorpointsToWalk, true,
                false},
    CommandSpec{"check", "analyse inputs, print each summary and its warnings", nullptr, false,
                true},
};

const CommandSpec* FindCommand(std::string_view name) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const CommandSpec& spec) { return spec.name == name; });
    return it == kCommands.end() ? nullptr : &*it;
}

// What the command line asks for.
struct Request {
    std::vector<std::string> inputs;
    std::string output;
    std::string dir;
    std::string model;
    bool quiet = false;
    bool werror = false;
};

constexpr char kOutputOption[] = "--output";
constexpr char kDirOption[] = "--dir";
constexpr char kModelOption[] = "--model";

void DeclareOptions(CLI::App& command, const CommandSpec& spec, Request& request) {
    command.add_option("INPUT", request.inputs, "input files")->required();
    if (spec.direction != nullptr) {
        CLI::Option* output =
            command
                .add_option("-o,--output", request.output, "write the output here (one input only)")
                ->type_name("OUTPUT");
        CLI::Option* dir = command
                               .add_option("-d,--dir", request.dir,
                                           "write each output in DIR, under its proposed name")
                               ->type_name("DIR");
        output->excludes(dir);
        command.add_flag("-q,--quiet", request.quiet, "print no line per converted input");
    }
    if (spec.takesModel) {
        command.add_option("--model", request.model, "model name of the output (one input only)")
            ->type_name("NAME");
    }
    if (spec.takesWerror) {
        command.add_flag("--werror", request.werror,
                         "exit with status 5 when an input has warnings");
    }
}

// The help, built from the declared commands, options and statuses: one line for each.
std::string HelpText(const CLI::App& root) {
    struct Row {
        std::string left;
        std::string right;
    };
    std::vector<Row> commands;
    std::vector<Row> options;
    std::vector<std::vector<std::string>> optionCommands;
    const auto addOption = [&](const CLI::Option& option, const std::string& command) {
        std::string left = option.get_name(false, true);
        if (!option.get_type_name().empty()) {
            left += " " + option.get_type_name();
        }
        const auto known = std::find_if(options.begin(), options.end(),
                                        [&](const Row& row) { return row.left == left; });
        if (known == options.end()) {
            options.push_back({left, option.get_description()});
            optionCommands.push_back(command.empty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{command});
        } else {
            optionCommands[static_cast<std::size_t>(known - options.begin())].push_back(command);
        }
    };
    const auto named = [](const CLI::Option* option) { return option->nonpositional(); };
    for (const CLI::App* command : root.get_subcommands([](const CLI::App*) { return true; })) {
        commands.push_back({command->get_name() + " INPUT...", command->get_description()});
        for (const CLI::Option* option : command->get_options(named)) {
            if (option != command->get_help_ptr()) {
                addOption(*option, command->get_name());
            }
        }
    }
    for (const CLI::Option* option : root.get_options(named)) {
        addOption(*option, "");
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (!optionCommands[i].empty()) {
            std::string prefix;
            for (const std::string& command : optionCommands[i]) {
                prefix += (prefix.empty() ? "" : ", ") + command;
            }
            options[i].right = "(" + prefix + ") " + options[i].right;
        }
    }

    std::size_t width = 0;
    for (const Row& row : commands) {
        width = std::max(width, row.left.size());
    }
    for (const Row& row : options) {
        width = std::max(width, row.left.size());
    }
    std::ostringstream text;
    const auto list = [&](const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            text << "  " << row.left << std::string(width + 2 - row.left.size(), ' ') << row.right
                 << "\n";
        }
    };
    text << root.get_description() << "\n\n"
         << "Usage: " << kProgram << " COMMAND INPUT... [OPTIONS]\n"
         << "       " << kProgram << " --help | --version\n\n"
         << "Commands:\n";
    list(commands);
    text << "\nOptions:\n";
    list(options);
    text << "\nOutputs go beside each input under the proposed name (MODEL1.ini, MODEL_walk.c).\n"
         << "Existing outputs are replaced. Messages go to stderr, one line each.\n"
         << "check reads .c files as walk sources, .ini files as sailorpoints files, others by "
            "content.\n"
         << "\nExit status (the most severe over all inputs):\n";
    for (const StatusSpec& spec : kStatuses) {
        const std::string number = std::to_string(static_cast<int>(spec.status));
        text << "  " << number << std::string(4 - number.size(), ' ') << spec.meaning << "\n";
    }
    return text.str();
}

void DeclareCommandLine(CLI::App& app, Request& request) {
    // Every --help shows the whole help; subcommands take the formatter over when declared.
    app.formatter_fn([](const CLI::App* shown, const std::string&, CLI::AppFormatMode) {
        while (shown->get_parent() != nullptr) {
            shown = shown->get_parent();
        }
        return HelpText(*shown);
    });
    app.set_help_flag("-h,--help", "print this help and exit");
    app.set_version_flag("--version", std::string(kProgram) + " " + kVersion,
                         "print the version and exit");
    app.require_subcommand(1);
    for (const CommandSpec& spec : kCommands) {
        DeclareOptions(*app.add_subcommand(std::string(spec.name), std::string(spec.summary)), spec,
                       request);
    }
}

bool Given(const CLI::App& command, const std::string& option) {
    const CLI::Option* found = command.get_option_no_throw(option);
    return found != nullptr && found->count() > 0;
}

ExitStatus UsageError(std::ostream& err, const std::string& problem) {
    err << kProgram << ": " << problem << "\n"
        << "Run '" << kProgram << " --help' for the commands and options.\n";
    return ExitStatus::Usage;
}

// ---------------------------------------------------------------------------------------------
// Batches: the inputs are analysed side by side on every core, while everything they print or
// write happens in the order of the inputs, just as if they ran one after the other. So the
// lines come out in a fixed order, and of two inputs with the same output the later one wins.

class InputOrder {
  public:
    void WaitFor(std::size_t index) {
        std::unique_lock lock(mutex_);
        turnCame_.wait(lock, [&] { return current_ == index; });
    }

    void Pass() {
        {
            std::lock_guard lock(mutex_);
            ++current_;
        }
        turnCame_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable turnCame_;
    std::size_t current_ = 0;
};

// The place of one input in that order. Wait() before printing or writing anything; the turn
// passes to the next input when this one is done.
class Turn {
  public:
    Turn(InputOrder& order, std::size_t index) : order_(order), index_(index) {}
    ~Turn() {
        Wait();
        order_.Pass();
    }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

    void Wait() {
        if (!waited_) {
            order_.WaitFor(index_);
            waited_ = true;
        }
    }

  private:
    InputOrder& order_;
    std::size_t index_;
    bool waited_ = false;
};

// Runs `work(input, turn)` for every input and gives the most severe status.
template <typename Work>
ExitStatus ForEachInput(const std::vector<std::string>& inputs, const Work& work,
                        std::ostream& err) {
    std::vector<ExitStatus> statuses(inputs.size(), ExitStatus::Success);
    InputOrder order;
    std::atomic<std::size_t> next = 0;
    const auto worker = [&] {
        for (std::size_t i = next++; i < inputs.size(); i = next++) {
            Turn turn(order, i);
            try {
                statuses[i] = work(inputs[i], turn);
            } catch (...) {
                // Nothing but a lack of memory gets here: the readers and writers report
                // their own failures.
                turn.Wait();
                err << inputs[i] << ": " << kInputCorruptedMessage << "\n";
                statuses[i] = ExitStatus::Failed;
            }
        }
    };
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    {
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < std::min(cores, inputs.size()); ++i) {
            try {
                helpers.emplace_back(worker);
            } catch (const std::system_error&) {
                break;  // no more threads to be had: fewer workers do the same work
            }
        }
        worker();
    }
    ExitStatus status = ExitStatus::Success;
    for (const ExitStatus one : statuses) {
        status = MoreSevere(status, one);
    }
    return status;
}

// ---------------------------------------------------------------------------------------------
// Work on the inputs.

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

ExitStatus ConvertOne(const Direction& direction, const std::string& input, Turn& turn,
                      const Request& request, const CLI::App& command, std::ostream& out,
                      std::ostream& err) {
    ConversionState state;  // fresh for every input
    const AnalysisOutcome outcome = direction.analyse(input, state);
    turn.Wait();
    const ExitStatus analysed = ReportAnalysis(outcome, input, direction.notValidText, err);
    if (analysed != ExitStatus::Success) {
        return analysed;
    }
    if (Given(command, kModelOption)) {
        state.ModelName = request.model;  // as typed into the window's model name box
    }
    fs::path output;
    std::string outputText;
    if (Given(command, kOutputOption)) {
        output = PathFromUtf8(request.output);
        outputText = request.output;
    } else {
        const fs::path folder = Given(command, kDirOption) ? PathFromUtf8(request.dir)
                                                           : PathFromUtf8(input).parent_path();
        output = folder / PathFromUtf8(direction.proposedName(state.ModelName));
        outputText = Utf8FromPath(output);
    }
    try {
        direction.write(output, state);
    } catch (const std::exception& error) {
        err << outputText << ": cannot write: " << error.what() << "\n";
        return ExitStatus::CannotWrite;
    }
    if (!request.quiet) {
        out << input << " -> " << outputText << " (" << state.PointCount << " points, "
            << state.LinkCount << " links)\n";
    }
    return ExitStatus::Success;
}

// A ".c" file is a walk source and a ".ini" file a sailorpoints file (either case); any other
// is a sailorpoints file when it holds one of its section words, else a walk source.
bool ReadsAsWalkSource(const std::string& input) {
    const fs::path path = PathFromUtf8(input);
    const std::string ending = ToUpperAscii(Utf8FromPath(path.extension()));
    if (ending == ".C" || ending == ".INI") {
        return ending == ".C";
    }
    if (!IsRegularFile(path)) {
        return true;  // the analysis reports it missing
    }
    try {
        const std::string upper = ToUpperAscii(ReadTextFile(path));
        return upper.find("POINT_DATA") == std::string::npos &&
               upper.find("LINK_DATA") == std::string::npos;
    } catch (const std::exception&) {
        return true;  // the analysis reports why it cannot be read
    }
}

// The window's summary, one line per line on a terminal.
std::string SummaryLines(const ConversionState& state) {
    std::string summary = AnalysisSummary(state);
    for (std::size_t pos = summary.find("\r\n"); pos != std::string::npos;
         pos = summary.find("\r\n", pos + 1)) {
        summary.replace(pos, 2, "\n");
    }
    return summary + "\n";
}

ExitStatus CheckOne(const std::string& input, Turn& turn, const Request& request,
                    bool& summaryShown, std::ostream& out, std::ostream& err) {
    ConversionState state;
    AnalysisDetails details;
    WalkSourceFacts facts;
    const bool walk = ReadsAsWalkSource(input);
    const AnalysisOutcome outcome = walk ? AnalyseWalk(input, state, &details, &facts)
                                         : AnalyseSailorpoints(input, state, &details);
    std::vector<std::string> warnings;
    if (outcome == AnalysisOutcome::Valid) {  // else the counts may lie beyond the tables
        warnings = FindWarnings(state, details, walk ? &facts : nullptr);
    }
    turn.Wait();
    const ExitStatus analysed =
        ReportAnalysis(outcome, input, walk ? kNotValidWalkText : kNotValidSailorpointsText, err);
    if (analysed != ExitStatus::Success) {
        return analysed;
    }
    out << (summaryShown ? "\n" : "") << input << ":\n" << SummaryLines(state);
    summaryShown = true;
    for (const std::string& warning : warnings) {
        err << input << ": warning: " << warning << "\n";
    }
    return warnings.empty() || !request.werror ? ExitStatus::Success : ExitStatus::Warnings;
}

ExitStatus Run(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        return UsageError(err, "no command given");
    }
    if (!args.front().starts_with('-') && FindCommand(args.front()) == nullptr) {
        return UsageError(err, "unknown command '" + args.front() + "'");
    }
    Request request;
    CLI::App app(
        "Converts ship walking paths between walk sources (.c) and sailorpoints files "
        "(.ini).",
        kProgram);
    DeclareCommandLine(app, request);
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them so
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            app.exit(error, out, err);  // --help or --version
            return ExitStatus::Success;
        }
        return UsageError(err, error.what());
    }

    const CLI::App& command = *app.get_subcommands().front();
    const CommandSpec& spec = *FindCommand(command.get_name());
    for (const char* oneInputOnly : {kOutputOption, kModelOption}) {
        if (Given(command, oneInputOnly) && request.inputs.size() > 1) {
            return UsageError(err, std::string(oneInputOnly) + " takes one input, but " +
                                       std::to_string(request.inputs.size()) + " were given");
        }
    }

    if (spec.direction != nullptr) {
        return ForEachInput(
            request.inputs,
            [&](const std::string& input, Turn& turn) {
                return ConvertOne(*spec.direction, input, turn, request, command, out, err);
            },
            err);
    }
    bool summaryShown = false;
    return ForEachInput(
        request.inputs,
        [&](const std::string& input, Turn& turn) {
            return CheckOne(input, turn, request, summaryShown, out, err);
        },
        err);
}

}  // namespace

int RunWalkconv(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return static_cast<int>(Run(args, out, err));
}

}  // namespace walkconv::cli
