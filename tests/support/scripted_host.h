#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/host.h"

namespace walkconv::testing {

// Stands in for the dialogs, message boxes and remembered folders and texts of a front-end:
// answers file and model dialogs from a script, records every request and message, and keeps
// folders and texts in memory.
class ScriptedHost : public app::Host {
  public:
    // The answers of the next file dialogs, in order: a path, or nothing for "Cancel".
    std::deque<std::optional<std::string>> fileAnswers;
    // Called while a message box would be open, to look at the window at that moment.
    std::function<void(std::string_view)> onMessage;

    // The answers to the next questions about unsaved edits, in order.
    std::deque<Answer> answers;

    // The answers to the next questions about edits a run left unsaved, in order.
    std::deque<Restoring> restoreAnswers;

    std::vector<app::FileRequest> fileRequests;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::map<std::string, std::string, std::less<>> folders;
    std::map<std::string, std::string, std::less<>> texts;
    // The answers of the next "Model" dialogs, in order: the fields left with OK, or nothing
    // for "Cancel"; the fields each dialog was filled with.
    std::deque<std::optional<app::ModelFields>> modelAnswers;
    std::vector<app::ModelFields> modelRequests;
    int unexpectedDialogs = 0;

    std::optional<std::string> ChooseFile(const app::FileRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            unexpectedDialogs++;
            return std::nullopt;
        }
        std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    void ShowMessage(std::string_view text) override {
        messages.emplace_back(text);
        if (onMessage) {
            onMessage(text);
        }
    }

    Answer Ask(std::string_view question) override {
        questions.emplace_back(question);
        if (answers.empty()) {
            unexpectedDialogs++;
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    Restoring AskRestore(std::string_view question) override {
        questions.emplace_back(question);
        if (restoreAnswers.empty()) {
            unexpectedDialogs++;
            return Restoring::Restore;
        }
        const Restoring answer = restoreAnswers.front();
        restoreAnswers.pop_front();
        return answer;
    }

    std::string RememberedFolder(std::string_view windowKind) override {
        const auto found = folders.find(windowKind);
        return found != folders.end() ? found->second : std::string();
    }

    void RememberFolder(std::string_view windowKind, const std::string& folder) override {
        folders[std::string(windowKind)] = folder;
    }

    std::string RememberedText(std::string_view key) override {
        const auto found = texts.find(key);
        return found != texts.end() ? found->second : std::string();
    }

    void RememberText(std::string_view key, const std::string& text) override {
        texts[std::string(key)] = text;
    }

    std::optional<app::ModelFields> AskModel(const app::ModelFields& fields) override {
        modelRequests.push_back(fields);
        if (modelAnswers.empty()) {
            unexpectedDialogs++;
            return std::nullopt;
        }
        std::optional<app::ModelFields> answer = modelAnswers.front();
        modelAnswers.pop_front();
        return answer;
    }
};

}  // namespace walkconv::testing
