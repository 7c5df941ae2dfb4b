#include "gui/common_dialog.h"

#include <QWidget>

#include "core/conversion_error.h"
#include "gui/last_folder.h"
#include "gui/ui_services.h"

namespace walkconv::ui {

CommonDialog::CommonDialog(const QString& name, QWidget* window)
    : QObject(window), window_(window) {
    setObjectName(name);
}

void CommonDialog::ShowOpen() {
    Show(false);
}

void CommonDialog::ShowSave() {
    Show(true);
}

void CommonDialog::Show(bool save) {
    FileDialogRequest request;
    request.mode = save ? FileDialogRequest::Mode::Save : FileDialogRequest::Mode::Open;
    request.fileName = FileName;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        request.filters.append({parts[i], parts[i + 1]});
    }

    // Each kind of window (its objectName) opens its dialogs where its last one left off.
    request.folder = LastFolder(window_->objectName());

    const std::optional<QString> chosen = CurrentUi().ShowFileDialog(window_, request);
    if (chosen) {
        RememberFolder(window_->objectName(), *chosen);
        FileName = *chosen;
    } else if (CancelError) {
        throw ConversionError("the file dialog was cancelled");
    }
}

}  // namespace walkconv::ui
