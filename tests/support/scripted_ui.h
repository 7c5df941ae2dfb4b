#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "gui/ui_services.h"

namespace walkconv::testing {

// Stands in for the file dialogs and message boxes: answers file dialogs from a script and
// records every request and message. Installed for its lifetime.
class ScriptedUi : public ui::UiServices {
  public:
    ScriptedUi() : scope_(*this) {}

    // The answers of the next file dialogs, in order: a path, or nothing for "Cancel".
    std::deque<std::optional<QString>> fileAnswers;
    // Called while a message box would be open, to look at the window at that moment.
    std::function<void(const QString&)> onMessage;

    std::vector<ui::FileDialogRequest> fileRequests;
    QStringList messages;

    std::optional<QString> ShowFileDialog(QWidget*, const ui::FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            unexpectedDialogs++;
            return std::nullopt;
        }
        const bool cancelled = !fileAnswers.front().has_value();
        const QString path = fileAnswers.front().value_or(QString());
        fileAnswers.pop_front();
        return cancelled ? std::nullopt : std::optional<QString>(path);
    }

    void ShowMessage(QWidget*, const QString& text) override {
        messages << text;
        if (onMessage) {
            onMessage(text);
        }
    }

    int unexpectedDialogs = 0;

  private:
    ui::ScopedUiServices scope_;
};

// The control that Tab moves to from `control`: the next one in the focus chain that takes the
// focus by tabbing.
inline QWidget* NextTabStop(QWidget* control) {
    QWidget* next = control->nextInFocusChain();
    while (next != control && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled())) {
        next = next->nextInFocusChain();
    }
    return next;
}

}  // namespace walkconv::testing
