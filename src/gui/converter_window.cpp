#include "gui/converter_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/conversion_error.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "gui/common_dialog.h"
#include "gui/ui_services.h"

namespace walkconv::ui {

namespace {

constexpr int kConverterWidthTwips = 6285;

// The flag that hides the open dialog's read-only check box.
constexpr int kHideReadOnly = 4;

template <typename T>
T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT(child != nullptr);
    return child;
}

}  // namespace

ConverterWindow::ConverterWindow(const QString& caption, int heightTwips,
                                 std::span<const ControlSpec> controls, const QString& openFilter,
                                 const QString& saveFilter) {
    ApplyWindowStyle(this, caption, kConverterWidthTwips, heightTwips);
    BuildControls(this, controls);
    Text1 = Child<QLineEdit>(this, "Text1");
    Command1 = Child<QPushButton>(this, "Command1");
    Command2 = Child<QPushButton>(this, "Command2");
    Command3 = Child<QPushButton>(this, "Command3");
    Label1 = Child<QLabel>(this, "Label1");
    Label2 = Child<QLabel>(this, "Label2");
    CommonDialog1 = new CommonDialog(QStringLiteral("CommonDialog1"), this);
    CommonDialog2 = new CommonDialog(QStringLiteral("CommonDialog2"), this);
    Text1->setFocus();

    // The load step: empty fields, nothing to convert yet, the dialogs' file types.
    Text1->clear();
    Label2->clear();
    Command3->setEnabled(false);
    CommonDialog1->Filter = openFilter;
    CommonDialog2->Filter = saveFilter;
    CommonDialog1->Flags = kHideReadOnly;
}

void ConverterWindow::Browse() {
    CommonDialog1->ShowOpen();
    Text1->setText(CommonDialog1->FileName);
    Label2->clear();
    SetReady(false);
}

void ConverterWindow::ShowAnalysis(AnalysisOutcome outcome, const char* notValidText) {
    switch (outcome) {
        case AnalysisOutcome::Valid:
            Label2->setText(QString::fromStdString(AnalysisSummary(state_)));
            SetReady(true);
            return;
        case AnalysisOutcome::NotValid:
            Label2->setText(QString::fromLatin1(notValidText));
            SetReady(false);
            return;
        case AnalysisOutcome::NothingDone:
            // No input to read: nothing is shown, and nothing may be converted.
            Label2->clear();
            SetReady(false);
            return;
        case AnalysisOutcome::Failed:
            Label2->clear();
            SetReady(false);
            CurrentUi().ShowMessage(this, QString::fromLatin1(kInputCorruptedMessage));
            return;
    }
}

void ConverterWindow::Convert(std::string_view suffix, Writer write) {
    try {
        CommonDialog2->CancelError = true;
        CommonDialog2->FileName = QString::fromStdString(state_.ModelName) +
                                  QString::fromUtf8(suffix.data(), qsizetype(suffix.size()));
        CommonDialog2->ShowSave();
        write(PathFromUtf8(CommonDialog2->FileName.toStdString()), state_);
        CurrentUi().ShowMessage(this, QString::fromLatin1(kConvertedMessage));
        ConversionDone();
    } catch (const ConversionError&) {
        // Cancelled, or the file could not be written (an existing one stays as it was): the
        // command ends silently and the user may try again.
    }
}

void ConverterWindow::SetReady(bool ready) {
    Command3->setEnabled(ready);
}

void ConverterWindow::ConversionDone() {
    Command3->setEnabled(false);
}

}  // namespace walkconv::ui
