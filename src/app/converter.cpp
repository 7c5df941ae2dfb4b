#include "app/converter.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "app/journal_store.h"
#include "core/conversion_error.h"
#include "core/editing/document_file.h"
#include "core/file_kinds.h"
#include "core/messages.h"
#include "core/text_file.h"

namespace walkconv::app {

Converter::Converter(const Direction& direction, std::filesystem::path journalFolder)
    : direction_(direction), journal_(std::move(journalFolder)) {}

bool Converter::MayReplaceGraph(Host& host) {
    if (!view_.graphShown) {
        return true;
    }
    const bool mayGo = graph_.MayLetGo(host);
    graph_.TakeSaved();  // another file is read next
    journal_.Follow(graph_.Editing());
    return mayGo;
}

void Converter::FollowGraph(Host& host) {
    if (const std::optional<std::string> saved = graph_.TakeSaved()) {
        view_.text1 = *saved;
        ShowAnalysis(AnalyseFile(direction_.reads, view_.text1, state_, &details_, &facts_), host,
                     Reading::SavedGraph);
    }
    journal_.Follow(graph_.Editing());
}

void Converter::Restore(const Journal& journal, Host& host) {
    if (!MayReplaceGraph(host)) {
        return;
    }
    view_.text1 = journal.file;
    ShowAnalysis(AnalyseFile(direction_.reads, view_.text1, state_, &details_, &facts_), host,
                 Reading::Restoring, &journal);
    if (!view_.graphShown) {
        SetAside(JournalPlace(journal_.Folder(), journal.file));
    }
    journal_.Follow(graph_.Editing());
}

void Converter::OfferJournal(const GraphDocument& document, Host& host) {
    const std::optional<FoundJournal> found = FindJournal(journal_.Folder(), view_.text1);
    if (!found) {
        return;
    }
    if (!found->journal) {
        SetAside(found->place);
        return;
    }
    const std::optional<FileIdentity> now = IdentityOfFile(view_.text1);
    const bool changed = !now || *now != found->journal->identity;
    if (host.AskRestore(RestoreQuestion(found->journal->model, changed)) ==
        Host::Restoring::Discard) {
        RemoveJournal(journal_.Folder(), view_.text1);
        return;
    }
    RestoreFrom(document, *found->journal, changed);
}

void Converter::RestoreFrom(const GraphDocument& document, Journal journal, bool fileChanged) {
    // The graph's file as this window names it.
    journal.file = view_.text1;
    graph_.Restore(document, journal, fileChanged);
    SetReady(true);
    ShowGraph();
}

void Converter::TypeInputPath(std::string text) {
    view_.text1 = std::move(text);
}

void Converter::TypeModelName(std::string text) {
    if (direction_.namesOutput && view_.text2Enabled) {
        view_.text2 = std::move(text);
    }
}

void Converter::Browse(Host& host) {
    if (!MayReplaceGraph(host)) {
        return;
    }
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.fileName = openFileName_;
    request.filters = direction_.openFilters;
    if (std::optional<std::string> chosen =
            ChooseFileFor(host, direction_.window.name, std::move(request))) {
        openFileName_ = std::move(*chosen);
    }
    // A cancelled dialog keeps its file name, so the path chosen last comes back.
    view_.text1 = openFileName_;
    view_.label2.clear();
    SetReady(false);
}

void Converter::Analyse(Host& host) {
    if (MayReplaceGraph(host)) {
        AnalyseNow(host);
    }
}

void Converter::AnalyseNow(Host& host) {
    ShowAnalysis(AnalyseFile(direction_.reads, view_.text1, state_, &details_, &facts_), host,
                 Reading::AnotherFile);
    journal_.Follow(graph_.Editing());
}

bool Converter::TakesDrop(std::span<const std::string> paths) {
    if (paths.empty() || paths.front().empty()) {
        return false;
    }
    std::error_code error;
    return !std::filesystem::is_directory(PathFromUtf8(paths.front()), error);
}

void Converter::Drop(std::span<const std::string> paths, Host& host) {
    if (TakesDrop(paths)) {
        Open(paths.front(), host);
    }
}

void Converter::Open(const std::string& path, Host& host) {
    if (MayReplaceGraph(host)) {
        view_.text1 = path;
        AnalyseNow(host);
    }
}

void Converter::Convert(Host& host) {
    if (!view_.command3Enabled) {
        return;
    }
    if (direction_.namesOutput) {
        state_.ModelName = view_.text2;  // as typed: not trimmed, and possibly empty
    }
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.fileName = state_.ModelName + std::string(direction_.outputSuffix);
    request.filters = direction_.saveFilters;
    const std::optional<std::string> chosen =
        ChooseFileFor(host, direction_.window.name, std::move(request));
    if (!chosen) {
        return;  // cancelled: nothing written, nothing said, still ready
    }
    try {
        WriteFile(direction_.writes, PathFromUtf8(*chosen), state_);
    } catch (const ConversionError&) {
        // The file could not be written (an existing one stays as it was): the command ends
        // silently and the user may try again.
        return;
    }
    // The message comes first; only once it is closed is Convert! disabled.
    host.ShowMessage(kConvertedMessage);
    view_.command3Enabled = false;
    view_.text2Enabled = false;  // the model name box keeps the name it was written under
}

void Converter::ShowGraph() {
    if (view_.command4Enabled && graph_.Content() != nullptr) {
        view_.graphShown = true;
    }
}

bool Converter::CloseGraph(Host& host) {
    const bool mayGo = !view_.graphShown || graph_.MayLetGo(host);
    FollowGraph(host);  // follows the journal too
    if (mayGo) {
        view_.graphShown = false;
    }
    return mayGo;
}

bool Converter::Close(Host& host) {
    return MayReplaceGraph(host);
}

void Converter::ShowAnalysis(AnalysisOutcome outcome, Host& host, Reading reading,
                             const Journal* journal) {
    switch (outcome) {
        case AnalysisOutcome::Valid: {
            view_.label2 = AnalysisSummary(state_);
            // The graph in the file's own codes, for the graph window to show and edit: the
            // same graph again (as after a save) goes on being edited.
            const DocumentReading document = ReadDocument(view_.text1, direction_.reads);
            if (!document.document) {
                graph_.Close();
            } else if (reading == Reading::SavedGraph) {
                graph_.Reopen(*document.document, view_.text1);
            } else {
                graph_.Open(*document.document, view_.text1, &host);
            }
            SetReady(true);
            if (document.document && reading == Reading::AnotherFile) {
                OfferJournal(*document.document, host);
            } else if (document.document && journal != nullptr) {
                const std::optional<FileIdentity> now = IdentityOfFile(view_.text1);
                RestoreFrom(*document.document, *journal, !now || *now != journal->identity);
            }
            return;
        }
        case AnalysisOutcome::NotValid:
            view_.label2 = std::string(direction_.notValidText);
            SetReady(false);
            return;
        case AnalysisOutcome::NothingDone:
            // No input to read: nothing is shown, and nothing may be converted.
            view_.label2.clear();
            SetReady(false);
            return;
        case AnalysisOutcome::Failed:
            view_.label2.clear();
            SetReady(false);
            host.ShowMessage(kInputCorruptedMessage);
            return;
    }
}

void Converter::SetReady(bool ready) {
    view_.command3Enabled = ready;
    view_.command4Enabled = ready && graph_.Content() != nullptr;
    if (direction_.namesOutput) {
        view_.text2Enabled = ready;
        view_.text2 = ready ? state_.ModelName : std::string();
    }
    if (!ready) {
        // The graph window shows only a valid analysis: with the result area cleared or
        // refused there is none, so it closes (to open again with the next valid one).
        graph_.Close();
        view_.graphShown = false;
    }
}

}  // namespace walkconv::app
