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
    if (finding.fileLink) {
        object["link"] = *finding.fileLink;  // as the message numbers it
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

// The object of an input that could not be checked or fixed; a failed one has its "error".
Json RefusedInputObject(const std::string& input, ExitStatus status, std::string_view message,
                        const PartialSummary& known, const Failure* failure, ReportOf command) {
    Json object{{"input", input}, {"status", static_cast<int>(status)}};
    if (command == ReportOf::Check) {
        object["model"] = ValueOrNull(known.model);
        object["points"] = ValueOrNull(known.points);
        object["links"] = ValueOrNull(known.links);
        object["warnings"] = Json::array();
    } else {
        object["output"] = nullptr;
        object["repairs"] = Json::array();
        object["left"] = Json::array();
    }
    object["notes"] = Json::array();
    object["message"] = std::string(message);
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
                            const PartialSummary& known, const Failure* failure, ReportOf command) {
    inputs_.push_back(RefusedInputObject(input, status, message, known, failure, command));
}

void JsonReport::AddEdited(const std::string& input, ExitStatus status,
                           const std::optional<std::string>& output, const std::string* diffJson,
                           std::string_view message) {
    Json object{{"input", input},
                {"status", static_cast<int>(status)},
                {"output", ValueOrNull(output)},
                {"change", diffJson != nullptr ? Json::parse(*diffJson) : Json(nullptr)}};
    if (!message.empty()) {
        object["message"] = std::string(message);
    }
    inputs_.push_back(std::move(object));
}

void JsonReport::AddFixed(const std::string& input, ExitStatus status,
                          const std::optional<std::string>& output, std::span<const Repair> repairs,
                          std::span<const Finding> left, std::string_view refusal,
                          const std::optional<WriteFailure>& writeFailure,
                          std::string_view saveRefusal) {
    Json repairList = Json::array();
    for (const Repair& repair : repairs) {
        repairList.push_back(Json{
            {"code", std::string(repair.code)},
            {"message", repair.description},
            {"link", ValueOrNull(repair.fileLink)},  // as the description numbers it
            {"line", repair.place ? Json(repair.place->line) : Json(nullptr)},
            {"column", repair.place ? Json(repair.place->column) : Json(nullptr)},
        });
    }
    Json warnings = Json::array();
    Json notes = Json::array();
    for (const Finding& finding : left) {
        (finding.severity == FindingSeverity::Warning ? warnings : notes)
            .push_back(FindingObject(finding));
    }
    Json object{
        {"input", input},
        {"status", static_cast<int>(status)},
        {"output", ValueOrNull(output)},
        {"repairs", std::move(repairList)},
        {"left", std::move(warnings)},
        {"notes", std::move(notes)},
    };
    if (!refusal.empty()) {
        object["message"] = "cannot repair: " + std::string(refusal);
    }
    if (writeFailure) {
        object["cannot_write"] =
            Json{{"output", writeFailure->output}, {"reason", writeFailure->reason}};
    }
    if (!saveRefusal.empty()) {
        object["message"] = std::string(saveRefusal);
    }
    inputs_.push_back(std::move(object));
}

void JsonReport::Print(std::ostream& out) const {
    out << inputs_.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace walkconv::cli
