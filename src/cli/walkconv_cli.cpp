#include "cli/walkconv_cli.h"

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/input_work.h"

namespace walkconv::cli {

int RunWalkconv(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine parsed = ParseCommandLine(args, out, err);
    if (parsed.endsWith) {
        return static_cast<int>(*parsed.endsWith);
    }
    Console console{out, err};
    const InputCommand run = parsed.command->run;
    return static_cast<int>(ForEachInput(
        parsed.request.inputs,
        [&](const std::string& input, Turn& turn) {
            return run(input, turn, parsed.request, console);
        },
        err));
}

}  // namespace walkconv::cli
