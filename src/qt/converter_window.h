#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/converter.h"
#include "qt/qt_host.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;
class QTimer;

namespace walkconv::qt {

class GraphWindow;

// A converter window of either direction: the controls of its table, each event forwarded to
// the behaviour (app::Converter), and the behaviour's view shown after each. Files dropped on
// it are forwarded too.
class ConverterWindow : public QWidget {
    Q_OBJECT

  public:
    // `host` takes its dialogs and those of its graph window; none: a QtHost over each.
    explicit ConverterWindow(const app::Direction& direction, app::Host* host = nullptr);
    ~ConverterWindow() override;

    const app::Converter& Behaviour() const { return converter_; }

    // Opens `path` as given at start: into the input box, then Analyse.
    void Open(const QString& path);
    // Opens the file of `journal` with its graph made again from it, as app::Converter does.
    void Restore(const app::Journal& journal);

  protected:
    // Closing with unsaved edits in the graph window asks about them first.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Takes file drops on the text boxes for the window; other drops stay theirs.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Sets every control, and the graph window, from the behaviour's view.
    void Render();
    void ShowGraph();
    // The local file that dragged data names first, if it names one.
    static std::vector<std::string> DroppedFiles(const QMimeData* data);

    app::Converter converter_;
    app::WindowHost host_;
    QLineEdit* text1_;
    QLineEdit* text2_;  // none in the walk source to sailorpoints window
    QLabel* label2_;
    QPushButton* command3_;
    QPushButton* command4_;
    std::unique_ptr<GraphWindow> graphWindow_;
    QTimer* journalTimer_;  // writes the journal of unsaved edits when due
};

}  // namespace walkconv::qt
