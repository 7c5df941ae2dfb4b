#include "gui/ui_services.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "core/messages.h"

namespace walkconv::ui {

namespace {

QtUiServices& RealServices() {
    static QtUiServices services;
    return services;
}

UiServices* current = nullptr;

}  // namespace

std::optional<QString> QtUiServices::ShowFileDialog(QWidget* parent,
                                                    const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open dialog does not insist that the named file exists, and the save dialog replaces
    // an existing file without asking.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Qt takes a filter's patterns from the last parentheses of its text. Each description is
    // followed by its pattern in parentheses and the details are hidden, so the description is
    // shown exactly as it stands ("All files (*.)") while the pattern ("*") does the filtering.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList nameFilters;
    for (const auto& [description, pattern] : request.filters) {
        QString patterns = pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        nameFilters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.first());
    }
    if (!request.folder.isEmpty()) {
        dialog.setDirectory(request.folder);
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    QString chosen = dialog.selectedFiles().constFirst();
    // The type chosen, which Qt names in full or, with the details hidden, by its description.
    const QString selected = dialog.selectedNameFilter();
    qsizetype type = -1;
    for (qsizetype i = 0; i < request.filters.size() && type < 0; ++i) {
        if (selected == nameFilters[i] || selected == request.filters[i].first) {
            type = i;
        }
    }
    if (save && request.addTypeEnding && type >= 0 && QFileInfo(chosen).suffix().isEmpty()) {
        // The ending of the type's first pattern: "png" for "*.png"; none for "*".
        const QString pattern = request.filters[type].second.section(QLatin1Char(';'), 0, 0);
        if (pattern.startsWith(QStringLiteral("*.")) && pattern.size() > 2) {
            chosen += pattern.mid(1);
        }
    }
    return QDir::toNativeSeparators(chosen);
}

void QtUiServices::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

UiServices& CurrentUi() {
    return current != nullptr ? *current : RealServices();
}

ScopedUiServices::ScopedUiServices(UiServices& services) : previous_(current) {
    current = &services;
}

ScopedUiServices::~ScopedUiServices() {
    current = previous_;
}

}  // namespace walkconv::ui
