#include "cli/json_report.h"

namespace walkconv::cli {

namespace {

using Json = nlohmann::ordered_json;

template <typename Value>
Json ValueOrNull(const std::optional<Value>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json FindingObject(const Finding& finding) {
    Json object{{"code", std::string(finding.code)}, {"message", finding.message}};
    if (!finding.points.empty()) {
        object["points"] = finding.points;
    }
    if (finding.link) {
        object["link"] = *finding.link;
    }
    if (finding.place) {
        object["line"] = finding.place->line;
        object["column"] = finding.place->column;
    }
    return object;
}

// Why and where an analysis failed; line and column are null for a failure without a line.
Json ErrorObject(const Failure& failure) {
    const bool placed = failure.line > 0;
    return Json{
        {"code", failure.code.empty() ? Json(nullptr) : Json(failure.code)},
        {"message", failure.message},
        {"line", placed ? Json(failure.line) : Json(nullptr)},
        {"column", placed ? Json(failure.column) : Json(nullptr)},
    };
}

// The object of an input that could not be checked; a failed one has its "error".
Json RefusedInputObject(const std::string& input, ExitStatus status, std::string_view message,
                        const PartialSummary& known, const Failure* failure) {
    Json object{
        {"input", input},
        {"status", static_cast<int>(status)},
        {"model", ValueOrNull(known.model)},
        {"points", ValueOrNull(known.points)},
        {"links", ValueOrNull(known.links)},
        {"warnings", Json::array()},
        {"notes", Json::array()},
        {"message", std::string(message)},
    };
    if (failure != nullptr) {
        object["error"] = ErrorObject(*failure);
    }
    return object;
}

}  // namespace

void JsonReport::AddChecked(const std::string& input, ExitStatus status,
                            const ConversionState& state, std::span<const Finding> findings) {
    Json warnings = Json::array();
    Json notes = Json::array();
    for (const Finding& finding : findings) {
        (finding.severity == FindingSeverity::Warning ? warnings : notes)
            .push_back(FindingObject(finding));
    }
    inputs_.push_back(Json{
        {"input", input},
        {"status", static_cast<int>(status)},
        {"model", state.ModelName},
        {"points", state.PointCount},
        {"links", state.LinkCount},
        {"warnings", std::move(warnings)},
        {"notes", std::move(notes)},
    });
}

void JsonReport::AddRefused(const std::string& input, ExitStatus status, std::string_view message,
                            const PartialSummary& known, const Failure* failure) {
    inputs_.push_back(RefusedInputObject(input, status, message, known, failure));
}

void JsonReport::Print(std::ostream& out) const {
    out << inputs_.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace walkconv::cli
