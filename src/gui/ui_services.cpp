#include "gui/ui_services.h"

#include <QDir>
#include <QFileDialog>
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
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
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
