#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "app/graph_window.h"
#include "qt/qt_host.h"

class QListWidget;
class QPushButton;

namespace walkconv::qt {

class GraphView;

// The picture of a walking graph in a window of its own, resizable: the two views of the
// core's drawing, and beside them the list of findings, where selecting one highlights its
// points or link. "Save picture..." writes the picture as PNG (at the window's size) or SVG.
// What it does is app::GraphWindowBehaviour's; this only forwards and paints.
class GraphWindow : public QWidget {
    Q_OBJECT

  public:
    GraphWindow();
    ~GraphWindow() override;

    // Shows `content` under the title "<model> - graph", the picture fitted in the view; the
    // content already shown is left as it is, zoom and selection with it.
    void ShowContent(std::shared_ptr<const app::GraphContent> content);

    const app::GraphWindowBehaviour& Behaviour() const { return behaviour_; }

    // Called when the user closes the window.
    std::function<void()> onClosed;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void SavePicture();

    app::GraphWindowBehaviour behaviour_;
    QtHost host_;
    GraphView* view_;
    QListWidget* findingList_;
    QPushButton* savePicture_;
};

}  // namespace walkconv::qt
