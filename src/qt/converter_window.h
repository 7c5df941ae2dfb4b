#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/walk/walk_reader.h"
#include "gui/window_style.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;

namespace walkconv::ui {

class CommonDialog;
class GraphWindow;
struct GraphContent;

// What the two converter windows share: the input path box, browse, Analyse, the result area
// and Convert!, two file dialogs and the conversion state; "Show graph" and the graph window of
// the analysis; a file dropped on the window is analysed. Each direction supplies its reader,
// its writer and its texts; the commands' effects on the controls are decided here.
class ConverterWindow : public QWidget {
    Q_OBJECT

  public:
    ~ConverterWindow() override;

    const ConversionState& State() const { return state_; }

    // Puts `path` into Text1 and runs Analyse, as typing it and pressing "Analyse" does.
    void OpenInput(const QString& path);

  protected:
    // Builds the window from its control table; the table must hold Text1, Command1..4,
    // Label1 and Label2.
    ConverterWindow(const QString& caption, int heightTwips, std::span<const ControlSpec> controls,
                    const QString& openFilter, const QString& saveFilter);

    using Writer = void (*)(const std::filesystem::path&, const ConversionState&);

    // Browse: the open dialog's file name into Text1, whether chosen or cancelled, and the
    // window back to "not ready".
    void Browse();

    // Shows what an analysis came to: the summary and "ready", the refusal text, or the error
    // message box; an analysis that found no input only clears the result. A valid analysis
    // also gives the graph its content, from details_ and, for a walk source, `walkFacts`.
    void ShowAnalysis(AnalysisOutcome outcome, const char* notValidText,
                      const WalkSourceFacts* walkFacts);

    // Convert!: proposes ModelName + `suffix` in the save dialog, writes the file, reports
    // success and leaves "ready". A cancelled dialog or a failed write ends it without a word.
    void Convert(std::string_view suffix, Writer write);

    // Enables or disables what leads to a conversion, and "Show graph", after an analysis or a
    // browse. Not ready, the analysis has no graph any more and its graph window closes.
    virtual void SetReady(bool ready);
    // Disables what leads to a conversion once a file is written; "Show graph" stays.
    virtual void ConversionDone();

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Takes file drops on the text boxes for the window; other drops stay theirs.
    bool eventFilter(QObject* watched, QEvent* event) override;

    ConversionState state_;
    // What the last analysis noticed beside the state, for the findings of its graph.
    AnalysisDetails details_;
    WalkSourceFacts facts_;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QLabel* Label1;
    QLabel* Label2;
    CommonDialog* CommonDialog1;
    CommonDialog* CommonDialog2;

  private:
    // Show graph: opens the graph window of the analysis, or brings it to the front.
    void ShowGraph();
    // The local file that dragged data names first, if it names one.
    static std::optional<QString> DroppedFile(const QMimeData* data);

    std::shared_ptr<const GraphContent> graph_;  // of the valid analysis shown, if any
    std::unique_ptr<GraphWindow> graphWindow_;
};

}  // namespace walkconv::ui
