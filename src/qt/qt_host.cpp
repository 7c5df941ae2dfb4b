#include "qt/qt_host.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QUrl>

#include "core/messages.h"
#include "qt/model_dialog.h"
#include "qt/window_style.h"

namespace walkconv::qt {

namespace {

QString SettingsKey(std::string_view windowKind) {
    return ToQt(windowKind) + QStringLiteral("/lastFolder");
}

// A key of any text as one key of the group "texts": a path holds the separators that
// QSettings takes for groups, which the percent encoding hides.
QString TextKey(std::string_view key) {
    return QStringLiteral("texts/") + QString::fromLatin1(QUrl::toPercentEncoding(ToQt(key)));
}

std::optional<QString> ShowFileDialog(QWidget* parent, const app::FileRequest& request) {
    QFileDialog dialog(parent);
    const bool save = request.mode == app::FileRequest::Mode::Save;
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
    for (const app::FileFilter& filter : request.filters) {
        QString patterns = ToQt(filter.pattern);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        nameFilters << ToQt(filter.description) + QStringLiteral(" (") + patterns +
                           QLatin1Char(')');
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.first());
    }
    if (!request.folder.empty()) {
        dialog.setDirectory(ToQt(request.folder));
    }
    if (!request.fileName.empty()) {
        dialog.selectFile(ToQt(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    QString chosen = dialog.selectedFiles().constFirst();
    // The type chosen, which Qt names in full or, with the details hidden, by its description.
    const QString selected = dialog.selectedNameFilter();
    qsizetype type = -1;
    for (qsizetype i = 0; i < nameFilters.size() && type < 0; ++i) {
        if (selected == nameFilters[i] ||
            selected == ToQt(request.filters[static_cast<std::size_t>(i)].description)) {
            type = i;
        }
    }
    if (type >= 0) {
        chosen = ToQt(app::WithTypeEnding(request, static_cast<std::size_t>(type), FromQt(chosen)));
    }
    return QDir::toNativeSeparators(chosen);
}

}  // namespace

QtHost::QtHost(QWidget* window) : window_(window) {}

std::optional<std::string> QtHost::ChooseFile(const app::FileRequest& request) {
    const std::optional<QString> chosen = ShowFileDialog(window_, request);
    return chosen ? std::optional<std::string>(FromQt(*chosen)) : std::nullopt;
}

void QtHost::ShowMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), ToQt(text),
                    QMessageBox::Ok, window_);
    box.exec();
}

app::Host::Answer QtHost::Ask(std::string_view question) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), ToQt(question),
                    QMessageBox::NoButton, window_);
    QPushButton* save = box.addButton(QStringLiteral("Save"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) {
        return Answer::Save;
    }
    return box.clickedButton() == discard ? Answer::Discard : Answer::Cancel;
}

app::Host::Restoring QtHost::AskRestore(std::string_view question) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), ToQt(question),
                    QMessageBox::NoButton, window_);
    QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(restore);
    box.exec();
    return box.clickedButton() == discard ? Restoring::Discard : Restoring::Restore;
}

std::string QtHost::RememberedFolder(std::string_view windowKind) {
    return FromQt(QSettings().value(SettingsKey(windowKind)).toString());
}

void QtHost::RememberFolder(std::string_view windowKind, const std::string& folder) {
    QSettings().setValue(SettingsKey(windowKind), ToQt(folder));
}

std::string QtHost::RememberedText(std::string_view key) {
    return FromQt(QSettings().value(TextKey(key)).toString());
}

void QtHost::RememberText(std::string_view key, const std::string& text) {
    QSettings().setValue(TextKey(key), ToQt(text));
}

std::optional<app::ModelFields> QtHost::AskModel(const app::ModelFields& fields) {
    return ShowModelDialog(window_, fields);
}

}  // namespace walkconv::qt
