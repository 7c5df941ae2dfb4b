#pragma once

#include <QWidget>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/conversion_state.h"
#include "gui/window_style.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace walkconv::ui {

class CommonDialog;

// What the two converter windows share: the input path box, browse, Analyse, the result area
// and Convert!, two file dialogs and the conversion state. Each direction supplies its reader,
// its writer and its texts; the commands' effects on the controls are decided here.
class ConverterWindow : public QWidget {
    Q_OBJECT

  public:
    const ConversionState& State() const { return state_; }

  protected:
    // Builds the window from its control table; the table must hold Text1, Command1..3,
    // Label1 and Label2.
    ConverterWindow(const QString& caption, int heightTwips, std::span<const ControlSpec> controls,
                    const QString& openFilter, const QString& saveFilter);

    using Writer = void (*)(const std::filesystem::path&, const ConversionState&);

    // Browse: the open dialog's file name into Text1, whether chosen or cancelled, and the
    // window back to "not ready".
    void Browse();

    // Shows what an analysis came to: the summary and "ready", the refusal text, or the error
    // message box; an analysis that found no input only clears the result.
    void ShowAnalysis(AnalysisOutcome outcome, const char* notValidText);

    // Convert!: proposes ModelName + `suffix` in the save dialog, writes the file, reports
    // success and leaves "ready". A cancelled dialog or a failed write ends it without a word.
    void Convert(std::string_view suffix, Writer write);

    // Enables or disables what leads to a conversion after an analysis or a browse.
    virtual void SetReady(bool ready);
    // Disables what leads to a conversion once a file is written.
    virtual void ConversionDone();

    ConversionState state_;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QLabel* Label1;
    QLabel* Label2;
    CommonDialog* CommonDialog1;
    CommonDialog* CommonDialog2;
};

}  // namespace walkconv::ui
