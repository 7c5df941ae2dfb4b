#include "app/journal.h"

#include <array>
#include <exception>
#include <nlohmann/json.hpp>

#include "core/conversion_error.h"
#include "core/text_file.h"

namespace walkconv::app {

namespace {

using nlohmann::json;

// Each edit is an object named by its "edit" member; the names never change once written.
json PointJson(const Point& point) {
    return json::array({point.x, point.y, point.z, point.type});
}

Point PointOf(const json& value) {
    return {value.at(0).get<double>(), value.at(1).get<double>(), value.at(2).get<double>(),
            value.at(3).get<double>()};
}

json EditJson(const Edit& edit);

struct ToJson {
    json operator()(const MovePoint& e) const {
        return {{"edit", "move"}, {"point", e.point}, {"at", json::array({e.x, e.y, e.z})}};
    }
    json operator()(const SetPointType& e) const {
        return {{"edit", "type"}, {"point", e.point}, {"type", e.type}};
    }
    json operator()(const AddPoint& e) const {
        return {{"edit", "add point"}, {"value", PointJson(e.point)}};
    }
    json operator()(const InsertPoint& e) const {
        return {{"edit", "insert point"},
                {"at", e.at},
                {"value", PointJson(e.point)},
                {"file", e.fileNumber}};
    }
    json operator()(const RemovePoint& e) const {
        return {{"edit", "remove point"}, {"point", e.point}};
    }
    json operator()(const AddLink& e) const {
        return {{"edit", "add link"}, {"from", e.from}, {"to", e.to}};
    }
    json operator()(const InsertLink& e) const {
        return {{"edit", "insert link"},
                {"at", e.at},
                {"from", e.link.ends.from},
                {"to", e.link.ends.to},
                {"file", e.link.fileNumber}};
    }
    json operator()(const RemoveLink& e) const {
        return {{"edit", "remove link"}, {"link", e.link}};
    }
    json operator()(const EditGroup& e) const {
        json steps = json::array();
        for (const Edit& step : e.steps) {
            steps.push_back(EditJson(step));
        }
        return {{"edit", "group"}, {"steps", steps}};
    }
};

json EditJson(const Edit& edit) {
    return std::visit(ToJson{}, edit.change);
}

// Throws (nlohmann's exceptions, or ConversionError) for anything that is no edit.
Edit EditOf(const json& value) {
    const std::string name = value.at("edit").get<std::string>();
    if (name == "move") {
        const json& at = value.at("at");
        return MovePoint{value.at("point").get<int>(), at.at(0).get<double>(),
                         at.at(1).get<double>(), at.at(2).get<double>()};
    }
    if (name == "type") {
        return SetPointType{value.at("point").get<int>(), value.at("type").get<double>()};
    }
    if (name == "add point") {
        return AddPoint{PointOf(value.at("value"))};
    }
    if (name == "insert point") {
        return InsertPoint{value.at("at").get<int>(), PointOf(value.at("value")),
                           value.at("file").get<int>()};
    }
    if (name == "remove point") {
        return RemovePoint{value.at("point").get<int>()};
    }
    if (name == "add link") {
        return AddLink{value.at("from").get<int>(), value.at("to").get<int>()};
    }
    if (name == "insert link") {
        const Link ends{value.at("from").get<std::int16_t>(), value.at("to").get<std::int16_t>()};
        return InsertLink{value.at("at").get<int>(), {ends, value.at("file").get<int>()}};
    }
    if (name == "remove link") {
        return RemoveLink{value.at("link").get<int>()};
    }
    if (name == "group") {
        EditGroup group;
        for (const json& step : value.at("steps")) {
            group.steps.push_back(EditOf(step));
        }
        return group;
    }
    throw ConversionError("unknown edit " + name);
}

}  // namespace

FileIdentity IdentityOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string hex(16, '0');
    for (std::size_t i = hex.size(); i-- > 0; hash >>= 4) {
        hex[i] = kDigits[hash & 0xF];
    }
    return {bytes.size(), std::move(hex)};
}

std::optional<FileIdentity> IdentityOfFile(const std::string& path) {
    try {
        return IdentityOf(ReadTextFile(PathFromUtf8(path)));
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

std::string FormatJournal(const Journal& journal) {
    json steps = json::array();
    for (const JournalStep& step : journal.steps) {
        steps.push_back({{"redo", EditJson(step.redo)}, {"undo", EditJson(step.undo)}});
    }
    // nlohmann keeps the members in name order, so the version is spelt out first by hand.
    json body = {{"file", journal.file},
                 {"size", journal.identity.size},
                 {"hash", journal.identity.hash},
                 {"kind", journal.kind == InputKind::WalkSource ? "walk source" : "sailorpoints"},
                 {"model", journal.model},
                 {"done", journal.done},
                 {"saved", journal.saved},
                 {"steps", steps}};
    std::string text = body.dump(1);
    return "{\n \"version\": " + std::to_string(Journal::kVersion) + "," + text.substr(1) + "\n";
}

std::optional<Journal> ParseJournal(std::string_view text) {
    try {
        const json body = json::parse(text);
        if (body.at("version").get<int>() != Journal::kVersion) {
            return std::nullopt;
        }
        Journal journal;
        journal.file = body.at("file").get<std::string>();
        journal.identity = {body.at("size").get<std::uintmax_t>(),
                            body.at("hash").get<std::string>()};
        const std::string kind = body.at("kind").get<std::string>();
        if (kind != "walk source" && kind != "sailorpoints") {
            return std::nullopt;
        }
        journal.kind = kind == "walk source" ? InputKind::WalkSource : InputKind::Sailorpoints;
        journal.model = body.at("model").get<std::string>();
        journal.done = body.at("done").get<std::size_t>();
        journal.saved = body.at("saved").get<std::size_t>();
        for (const json& step : body.at("steps")) {
            journal.steps.push_back({EditOf(step.at("redo")), EditOf(step.at("undo"))});
        }
        if (journal.done > journal.steps.size() || journal.saved > journal.steps.size() ||
            journal.file.empty()) {
            return std::nullopt;
        }
        return journal;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string RestoreQuestion(const std::string& model, bool fileChanged) {
    std::string question =
        "The walking graph of " + model + " has edits that were not saved when the program ended. ";
    if (fileChanged) {
        question += "The file has changed since. ";
    }
    return question + "Restore them?";
}

}  // namespace walkconv::app
