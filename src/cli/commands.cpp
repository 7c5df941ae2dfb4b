#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

#include "cli/diff_command.h"
#include "cli/edit_command.h"
#include "cli/edit_operations.h"
#include "cli/fix_command.h"
#include "cli/output_clashes.h"
#include "cli/output_writing.h"
#include "cli/version.h"
#include "core/platform/command_line.h"
#include "core/platform/wildcards.h"
#include "core/text_file.h"

namespace walkconv::cli {

namespace {

constexpr char kProgram[] = "walkconv";

constexpr std::array kCommands{
    CommandSpec{"to-ini", "INPUT...", "convert walk sources to sailorpoints files",
                ConvertToSailorpoints, nullptr, kWrites, SailorpointsOutputOf},
    CommandSpec{"to-walk", "INPUT...", "convert sailorpoints files to walk sources",
                ConvertToWalkSource, nullptr, kWrites | kModel, WalkSourceOutputOf},
    CommandSpec{"check", "INPUT...", "analyse inputs, print each summary and its warnings",
                CheckInput, nullptr, kFindings | kFormat | kMesh, nullptr},
    CommandSpec{"render", "INPUT...", "draw the walking graph of each input as an SVG picture",
                RenderGraph, nullptr, kWrites | kMesh, GraphOutputOf},
    CommandSpec{"fix", "INPUT...", "repair what check finds where one repair is sound", FixInput,
                nullptr, kWrites | kInPlace | kFindings | kFormat | kMesh, FixOutputOf},
    CommandSpec{"diff", "A B", "say how the walking graphs of two files differ", nullptr, DiffFiles,
                kFormat | kGit, nullptr},
    CommandSpec{"edit", "INPUT... OPERATION...",
                "change the points and links of each input, keeping its text", EditInput, nullptr,
                kWrites | kInPlace | kFormat, FixOutputOf},
};

// The operands git gives a diff driver: the path alone for an unmerged path; path, old file,
// old hex, old mode, new file, new hex, new mode; and for a rename the new path and a message.
constexpr std::array<std::size_t, 3> kGitOperandCounts{1, 7, 9};

constexpr char kOutputOption[] = "--output";
constexpr char kDirOption[] = "--dir";
constexpr char kModelOption[] = "--model";
constexpr char kMeshOption[] = "--mesh";
constexpr char kJsonFormat[] = "json";

// The options as CLI11 fills them; which were given is read from the parser afterwards.
struct RawOptions {
    std::vector<std::string> inputs;
    std::string output;
    std::string dir;
    std::string model;
    bool quiet = false;
    bool werror = false;
    bool verbose = false;
    std::string format = "text";
    bool inPlace = false;
    bool git = false;
    std::string mesh;
    std::string meshUp = "y";
    double meshScale = 1;
    std::vector<double> meshOffset;
    std::vector<double> deckTolerance;
    double endClearance = DeckDistances{}.endClearance;
};

// The options of the ship's model: the file, its placement and the distances of its checks.
void DeclareMeshOptions(CLI::App& command, RawOptions& raw) {
    CLI::Option* mesh =
        command
            .add_option(kMeshOption, raw.mesh,
                        "the ship's model (.obj, .gltf, .glb) to check the graph against "
                        "and draw under it")
            ->type_name("FILE");
    command.add_option("--mesh-up", raw.meshUp, "the model's up axis: y (default) or z")
        ->type_name("y|z")
        ->check(CLI::IsMember({"y", "z"}).description(""))
        ->needs(mesh);
    command.add_option("--mesh-scale", raw.meshScale, "multiply the model's coordinates by F")
        ->type_name("F")
        ->check(CLI::PositiveNumber.description(""))
        ->needs(mesh);
    command
        .add_option("--mesh-offset", raw.meshOffset,
                    "then move the model by three numbers: across, up and along")
        ->type_name("XYZ")
        ->expected(3)
        ->allow_extra_args(false)
        ->needs(mesh);
    command
        .add_option("--deck-tolerance", raw.deckTolerance,
                    "a point may float D (0.25) over a deck; a second number: and sink that "
                    "far (0.05) into it")
        ->type_name("D")
        ->expected(1, 2)
        ->allow_extra_args(false)
        ->check(CLI::NonNegativeNumber.description(""))
        ->needs(mesh);
    command
        .add_option("--end-clearance", raw.endClearance,
                    "a link may touch the model within D (0.1) of its ends")
        ->type_name("D")
        ->check(CLI::NonNegativeNumber.description(""))
        ->needs(mesh);
}

void DeclareOptions(CLI::App& command, const CommandSpec& spec, RawOptions& raw) {
    command.add_option(spec.runWhole != nullptr ? "FILE" : "INPUT", raw.inputs, "input files")
        ->required();
    if ((spec.options & kWrites) != 0) {
        CLI::Option* output =
            command
                .add_option("-o,--output", raw.output,
                            "write the output here, or to stdout for - (one input only)")
                ->type_name("OUTPUT");
        CLI::Option* dir =
            command
                .add_option("-d,--dir", raw.dir,
                            "write each output in DIR, under its proposed name (fix: the input's)")
                ->type_name("DIR");
        output->excludes(dir);
        if ((spec.options & kInPlace) != 0) {
            command.add_flag("-i,--in-place", raw.inPlace, "write each output over its input")
                ->excludes(output)
                ->excludes(dir);
        }
        command.add_flag("-q,--quiet", raw.quiet, "print no line per written output");
    }
    if ((spec.options & kModel) != 0) {
        command.add_option("--model", raw.model, "model name of the output (one input only)")
            ->type_name("NAME");
    }
    if ((spec.options & kFindings) != 0) {
        command.add_flag("--werror", raw.werror,
                         "exit with status 5 when an input has warnings (fix: a repair is due)");
        command.add_flag("-v,--verbose", raw.verbose, "print the notes too, not only the warnings");
    }
    if ((spec.options & kFormat) != 0) {
        command
            .add_option("--format", raw.format,
                        "text (default), or json: one document for all inputs on stdout")
            ->type_name("text|json")
            ->check(CLI::IsMember({"text", kJsonFormat}).description(""));
    }
    if ((spec.options & kMesh) != 0) {
        DeclareMeshOptions(command, raw);
    }
    if ((spec.options & kGit) != 0) {
        command.add_flag("--git", raw.git,
                         "take what git gives a diff driver: PATH OLD-FILE OLD-HEX OLD-MODE "
                         "NEW-FILE NEW-HEX NEW-MODE");
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
        commands.push_back(
            {command->get_name() + " " + std::string(FindCommand(command->get_name())->operands),
             command->get_description()});
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
    const std::string systemHelp =
        SystemHelpSwitch().empty() ? "" : " | " + std::string(SystemHelpSwitch());
    text << root.get_description() << "\n\n"
         << "Usage: " << kProgram << " COMMAND INPUT... [OPTIONS]\n"
         << "       " << kProgram << " --help" << systemHelp << " | --version\n\n"
         << "Commands:\n";
    list(commands);
    text << "\nOptions:\n";
    list(options);
    text << "\nOutputs go beside each input under the proposed name (MODEL1.ini, MODEL_walk.c,\n"
         << "MODEL_graph.svg). An existing file is replaced whole, once the new one is complete;\n"
         << "a device, FIFO or terminal (/dev/null, NUL) is written into; -o - writes to stdout.\n"
         << "Two inputs with one output are refused before anything is written. Messages go\n"
         << "to stderr; a failed input is reported as INPUT:LINE:COLUMN: error: REASON, with\n"
         << "the line and a caret.\n"
         << "check, render, fix and diff read .c files as walk sources, .ini files as\n"
         << "sailorpoints files, others by content. render prints INPUT -> OUTPUT (N points,\n"
         << "M links, F findings). fix without -i, -o or -d writes nothing and prints the\n"
         << "repairs due; with them it writes the repaired file in its own kind.\n"
         << "edit applies its operations to each input, in order, as one change: "
         << OperationUsage() << ".\n"
         << "The first word naming an operation ends the inputs (./move names a file);\n"
         << "negative numbers are values. Without -i, -o or -d it writes nothing and prints\n"
         << "the change as diff does; with them it prints it and writes the file.\n"
         << "fix and edit keep the file's text: only the statements of the entries changed,\n"
         << "renumbered, added or removed, and the sizes and counts that follow them, are\n"
         << "rewritten; comments, blank lines, spacing, names and line endings stay. When the\n"
         << "text cannot carry the change (an entry assigned twice, statements beyond a\n"
         << "declared size), nothing is written and the status is 4.\n";
    if (ProgramExpandsWildcards()) {
        text << "INPUT may hold the wildcards * and ? in its last component only "
                "(models\\*_walk.c):\n"
             << "each file that matches, without regard to case, is one input; a pattern that\n"
             << "matches nothing is a missing input.\n";
    }
    text << "\nExit status (the most severe over all inputs):\n";
    for (const StatusMeaning& spec : kStatusMeanings) {
        const std::string number = std::to_string(static_cast<int>(spec.status));
        text << "  " << number << std::string(4 - number.size(), ' ') << spec.meaning << "\n";
    }
    text << kDiffStatusMeanings << "\n";
    return text.str();
}

void DeclareCommandLine(CLI::App& app, RawOptions& raw) {
    // "/o" is not an option on Windows either: an argument that begins with "/" is a path
    // from the root of the current drive. Subcommands take this over when declared.
    app.allow_windows_style_options(false);
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
                       raw);
    }
}

std::optional<std::string> IfGiven(const CLI::App& command, const std::string& option,
                                   const std::string& value) {
    const CLI::Option* found = command.get_option_no_throw(option);
    return found != nullptr && found->count() > 0 ? std::optional(value) : std::nullopt;
}

ExitStatus UsageError(std::ostream& err, const std::string& problem) {
    err << kProgram << ": " << problem << "\n"
        << "Run '" << kProgram << " --help' for the commands and options.\n";
    return ExitStatus::Usage;
}

// Why the command line's outputs cannot be written, if they cannot: an empty name, the
// standard output asked to hold two documents, or two inputs writing one file.
std::optional<std::string> OutputProblem(const CommandSpec& command, const Request& request) {
    if (request.output && request.output->empty()) {
        return std::string(kOutputOption) + " names no file (- is the standard output)";
    }
    if (request.dir && request.dir->empty()) {
        return std::string(kDirOption) + " names no folder (. is the current one)";
    }
    if (request.output && IsStandardOutput(*request.output) &&
        request.format == ReportFormat::Json) {
        return "--format json takes the standard output, which " + std::string(kOutputOption) +
               " " + *request.output + " asks for too";
    }
    if (command.outputOf == nullptr) {
        return std::nullopt;
    }
    std::vector<PlannedOutput> planned;
    for (const std::string& input : request.inputs) {
        // An input that names no file is reported as missing, and writes nothing.
        if (request.patternsMatchingNothing.contains(input) ||
            !IsRegularFile(PathFromUtf8(input))) {
            continue;
        }
        if (std::optional<std::string> output = command.outputOf(input, request)) {
            planned.push_back({input, std::move(*output)});
        }
    }
    if (const std::optional<OutputClash> clash = FindOutputClash(planned)) {
        return clash->Text();
    }
    return std::nullopt;
}

// Why a command that takes its operands together cannot take those given, if it cannot.
std::optional<std::string> OperandProblem(const CommandSpec& command, const Request& request) {
    const std::size_t given = request.inputs.size();
    if (request.git) {
        if (std::find(kGitOperandCounts.begin(), kGitOperandCounts.end(), given) ==
            kGitOperandCounts.end()) {
            return std::string(command.name) +
                   " --git takes the 7 arguments git gives a diff driver, but " +
                   std::to_string(given) + (given == 1 ? " was" : " were") + " given";
        }
    } else if (given != 2) {
        return std::string(command.name) + " takes two files, A and B, but " +
               std::to_string(given) + (given == 1 ? " was" : " were") + " given";
    }
    return std::nullopt;
}

}  // namespace

const CommandSpec* FindCommand(std::string_view name) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const CommandSpec& spec) { return spec.name == name; });
    return it == kCommands.end() ? nullptr : &*it;
}

ParsedCommandLine ParseCommandLine(std::span<const std::string> args, std::ostream& out,
                                   std::ostream& err) {
    static const std::vector<std::string> kHelp{"--help"};
    if (args.size() == 1 && !SystemHelpSwitch().empty() && args.front() == SystemHelpSwitch()) {
        args = kHelp;
    }
    ParsedCommandLine parsed;
    if (args.empty()) {
        parsed.endsWith = UsageError(err, "no command given");
        return parsed;
    }
    if (!args.front().starts_with('-') && FindCommand(args.front()) == nullptr) {
        parsed.endsWith = UsageError(err, "unknown command '" + args.front() + "'");
        return parsed;
    }
    // edit's operations hold numbers that may be negative: they are taken out before the
    // options are parsed, which would take "-3.5" for an option.
    std::vector<std::string> words(args.begin(), args.end());
    std::vector<EditOperation> operations;
    if (args.front() == "edit") {
        SplitArguments split = SplitOperations(args.subspan(1));
        if (split.problem) {
            parsed.endsWith = UsageError(err, "edit: " + *split.problem);
            return parsed;
        }
        const bool help = std::any_of(split.rest.begin(), split.rest.end(),
                                      [](const auto& w) { return w == "-h" || w == "--help"; });
        if (split.operations.empty() && !help) {
            parsed.endsWith = UsageError(
                err, "edit takes one operation or more after its inputs: " + OperationUsage());
            return parsed;
        }
        words.assign(1, "edit");
        words.insert(words.end(), split.rest.begin(), split.rest.end());
        operations = std::move(split.operations);
    }
    RawOptions raw;
    CLI::App app(
        "Converts ship walking paths between walk sources (.c) and sailorpoints files "
        "(.ini).",
        kProgram);
    DeclareCommandLine(app, raw);
    // git hands a diff driver paths as they are, "-dash1.ini" too: after diff's --git comes
    // nothing but operands.
    if (words.front() == "diff") {
        const auto git = std::find(words.begin(), words.end(), "--git");
        if (git != words.end() && std::find(words.begin(), git, "--") == git) {
            words.insert(git + 1, "--");
        }
    }
    std::vector<std::string> reversed(words.rbegin(), words.rend());  // CLI11 takes them so
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            app.exit(error, out, err);  // --help or --version
            parsed.endsWith = ExitStatus::Success;
        } else {
            parsed.endsWith = UsageError(err, error.what());
        }
        return parsed;
    }

    const CLI::App& command = *app.get_subcommands().front();
    parsed.command = FindCommand(command.get_name());
    Request& request = parsed.request;
    for (ExpandedInput& input : ExpandWildcards(raw.inputs)) {
        if (input.matchesNothing) {
            request.patternsMatchingNothing.insert(input.path);
        }
        request.inputs.push_back(std::move(input.path));
    }
    request.output = IfGiven(command, kOutputOption, raw.output);
    request.dir = IfGiven(command, kDirOption, raw.dir);
    request.model = IfGiven(command, kModelOption, raw.model);
    request.quiet = raw.quiet;
    request.werror = raw.werror;
    request.verbose = raw.verbose;
    request.inPlace = raw.inPlace;
    request.git = raw.git;
    request.format = raw.format == kJsonFormat ? ReportFormat::Json : ReportFormat::Text;
    request.operations = std::move(operations);
    request.mesh = IfGiven(command, kMeshOption, raw.mesh);
    request.placement.up = raw.meshUp == "z" ? UpAxis::Z : UpAxis::Y;
    request.placement.scale = raw.meshScale;
    if (raw.meshOffset.size() == 3) {
        request.placement.offset = {raw.meshOffset[0], raw.meshOffset[1], raw.meshOffset[2]};
    }
    if (!raw.deckTolerance.empty()) {
        request.deckCheck.distances.reach = raw.deckTolerance.front();
    }
    if (raw.deckTolerance.size() == 2) {
        request.deckCheck.distances.sink = raw.deckTolerance.back();
    }
    request.deckCheck.distances.endClearance = raw.endClearance;
    if (parsed.command->runWhole != nullptr) {
        if (const std::optional<std::string> problem = OperandProblem(*parsed.command, request)) {
            parsed.endsWith = UsageError(err, *problem);
        }
        return parsed;
    }
    for (const char* oneInputOnly : {kOutputOption, kModelOption}) {
        if (IfGiven(command, oneInputOnly, {}) && request.inputs.size() > 1) {
            parsed.endsWith =
                UsageError(err, std::string(oneInputOnly) + " takes one input, but " +
                                    std::to_string(request.inputs.size()) + " were given");
            return parsed;
        }
    }
    if (const std::optional<std::string> problem = OutputProblem(*parsed.command, request)) {
        parsed.endsWith = UsageError(err, *problem);
    }
    return parsed;
}

}  // namespace walkconv::cli
