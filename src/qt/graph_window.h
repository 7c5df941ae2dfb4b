#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "app/graph_command.h"
#include "app/graph_window.h"
#include "qt/qt_canvas.h"
#include "qt/qt_host.h"

class QLabel;
class QListWidget;

namespace walkconv::qt {

class GraphView;

// The graph window of a converter window, resizable: the two views of the walking graph, and
// beside them the side column of app::GraphControls(), with a status line below. What it does
// is the converter's app::GraphWindowBehaviour: this forwards the mouse, the keys and the
// controls' commands to it and shows its view after each event.
class GraphWindow : public QWidget {
    Q_OBJECT

  public:
    // `host` takes its dialogs; none: a QtHost over this window.
    explicit GraphWindow(app::GraphWindowBehaviour& behaviour, app::Host* host = nullptr);
    ~GraphWindow() override;

    const app::GraphWindowBehaviour& Behaviour() const { return behaviour_; }
    // Its dialogs and questions, over this window.
    app::Host& WindowHost() { return host_; }

    // Shows the behaviour's view as it stands, and paints the picture again.
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
    // The side column, row by row from the table, in its tab order.
    QWidget* BuildSide();
    QWidget* MakeControl(std::size_t index);
    void Run(app::GraphCommand command, const app::CommandInput& input = {});
    void Changed();
    void RenderList(QListWidget* list, const app::GraphWindowView& view);

    app::GraphWindowBehaviour& behaviour_;
    app::WindowHost host_;
    QtDrawer drawer_;
    GraphView* view_;
    QLabel* status_;
    std::vector<QWidget*> controls_;  // one for each of app::GraphControls()
    bool rendering_ = false;
};

}  // namespace walkconv::qt
