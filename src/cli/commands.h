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

struct CommandSpec {
    std::string_view name;
    std::string_view summary;
    InputCommand run;  // the work on each input
    bool writes;       // takes -o, -d and -q
    bool takesModel;   // takes --model
    bool reports;      // takes --werror, -v and --format
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
