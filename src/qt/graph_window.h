#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/graph_editing.h"
#include "app/graph_keys.h"
#include "app/graph_window.h"
#include "qt/qt_host.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace walkconv::qt {

class GraphView;

// The graph window of a converter window, resizable: the two views of the walking graph, and
// beside them the panel of the selected point or link, the findings with their fixes and the
// buttons that save; a status line below. What it does is the converter's
// app::GraphWindowBehaviour; this forwards the mouse, the keys and the fields to it and shows
// it after each event.
class GraphWindow : public QWidget {
    Q_OBJECT

  public:
    // `host` takes its dialogs; none: a QtHost over this window.
    explicit GraphWindow(app::GraphWindowBehaviour& behaviour, app::Host* host = nullptr);
    ~GraphWindow() override;

    const app::GraphWindowBehaviour& Behaviour() const { return behaviour_; }
    // Its dialogs and questions, over this window.
    app::Host& WindowHost() { return host_; }

    // Shows the behaviour as it stands: title, panel, findings, buttons, status and picture.
    void Render();

    // After every event of this window, for the converter window to show what followed (a
    // save analyses the file again).
    std::function<void()> onChanged;
    // The user closes the window: false keeps it open (the question about unsaved edits was
    // answered Cancel).
    std::function<bool()> onClose;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Takes the window's shortcuts before any control does, wherever the focus is.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildSide(QWidget* side);
    void Run(app::GraphCommand command);
    // Runs `event` on the behaviour, then shows everything again.
    void Do(const std::function<void()>& event);

    app::GraphWindowBehaviour& behaviour_;
    app::WindowHost host_;
    GraphView* view_;
    QListWidget* findingList_ = nullptr;
    QLabel* selectionText_ = nullptr;
    QLabel* status_ = nullptr;
    std::map<app::PanelField, QLineEdit*> fields_;
    std::map<std::string, QPushButton*> buttons_;
    std::vector<QWidget*> tabOrder_;  // of the side column
    bool rendering_ = false;
};

}  // namespace walkconv::qt
