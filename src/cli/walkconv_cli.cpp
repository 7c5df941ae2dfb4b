#include "cli/walkconv_cli.h"

#include <optional>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/input_work.h"
#include "cli/json_report.h"
#include "cli/model_loading.h"
#include "core/messages.h"

namespace walkconv::cli {

int RunWalkconv(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine parsed = ParseCommandLine(args, out, err);
    if (parsed.endsWith) {
        return static_cast<int>(*parsed.endsWith);
    }
    if (parsed.command->runWhole != nullptr) {
        return parsed.command->runWhole(parsed.request, out, err);
    }
    const LoadedModel model = LoadRequestedModel(parsed.request, err);
    if (model.endsWith) {
        return static_cast<int>(*model.endsWith);
    }
    Request request = parsed.request;
    request.deckCheck.mesh = model.mesh.get();
    std::optional<JsonReport> json;
    if (request.format == ReportFormat::Json) {
        json.emplace();
    }
    Console console{out, err, false, json ? &*json : nullptr};
    const InputCommand run = parsed.command->run;
    const ExitStatus status = ForEachInput(
        request.inputs,
        [&](const std::string& input, Turn& turn) {
            if (request.patternsMatchingNothing.contains(input)) {
                return ReportPatternMatchingNothing(input, turn, console);
            }
            try {
                return run(input, turn, request, console);
            } catch (...) {
                // The batch prints the input's line; the document still has its object.
                if (json) {
                    turn.Wait();
                    json->AddRefused(input, ExitStatus::Failed, kInputCorruptedMessage, {});
                }
                throw;
            }
        },
        err);
    if (json) {
        json->Print(out);
    }
    return static_cast<int>(status);
}

}  // namespace walkconv::cli
