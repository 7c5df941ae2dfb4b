#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/exit_status.h"
#include "cli/input_work.h"
#include "cli/request.h"

// The commands of walkconv, their options and the help, all declared in one table.
namespace walkconv::cli {

// The options a command takes, as flags to combine.
enum CommandOption : unsigned {
    kWrites = 1U << 0,    // -o, -d and -q
    kInPlace = 1U << 1,   // -i
    kModel = 1U << 2,     // --model
    kFindings = 1U << 3,  // --werror and -v
    kFormat = 1U << 4,    // --format
    kGit = 1U << 5,       // --git
    kMesh = 1U << 6,      // --mesh and its placement and distances
};

// The work of a command on all its operands at once; it returns the exit status.
using WholeCommand = int (*)(const Request& request, std::ostream& out, std::ostream& err);

struct CommandSpec {
    std::string_view name;
    std::string_view operands;  // as the help shows them: "INPUT..." or "A B"
    std::string_view summary;
    InputCommand run;       // the work on each input, in a batch; or else
    WholeCommand runWhole;  // the work on all operands at once
    unsigned options;       // CommandOption flags
    OutputOf outputOf;      // where the command writes each input, for one that writes
};

// The command named `name`, or none.
const CommandSpec* FindCommand(std::string_view name);

// The command line parsed into the command to run and its request; or the status the run ends
// with at once: after --help or --version (printed to `out`), or a usage error (to `err`).
struct ParsedCommandLine {
    const CommandSpec* command = nullptr;
    Request request;
    std::optional<ExitStatus> endsWith;
};
ParsedCommandLine ParseCommandLine(std::span<const std::string> args, std::ostream& out,
                                   std::ostream& err);

}  // namespace walkconv::cli
