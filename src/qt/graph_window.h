#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/drawing/graph_drawing.h"
#include "core/findings/findings.h"

class QGraphicsScene;
class QListWidget;
class QPushButton;

namespace walkconv {
struct AnalysisDetails;
struct WalkSourceFacts;
}  // namespace walkconv

namespace walkconv::ui {

class GraphView;
struct SceneItems;

// What the graph window shows of one valid analysis: its model name, its findings, and the
// core's drawing of the points and links with those findings.
struct GraphContent {
    std::string model;
    std::vector<Finding> findings;
    GraphDrawing drawing;
};

// The content for the valid analysis that left `state` and `details`; `walkFacts` for a walk
// source only.
std::shared_ptr<const GraphContent> MakeGraphContent(const ConversionState& state,
                                                     const AnalysisDetails& details,
                                                     const WalkSourceFacts* walkFacts);

// The picture of a walking graph in a window of its own, resizable: the two views of the core's
// drawing, and beside them the list of findings, where selecting one highlights its points or
// link. "Save picture..." writes the picture as PNG (at the window's size) or SVG.
class GraphWindow : public QWidget {
    Q_OBJECT

  public:
    GraphWindow();
    ~GraphWindow() override;

    // Shows `content` under the title "<model> - graph", the picture fitted in the view; the
    // content already shown is left as it is, zoom and selection with it.
    void ShowContent(std::shared_ptr<const GraphContent> content);

  private:
    void SavePicture();
    void ShowFinding(int row);
    // Writes the picture as PNG to `path`, replacing a file there only once it is complete;
    // returns why it could not, or nothing.
    QString WritePng(const QString& path);

    QGraphicsScene* scene_;
    GraphView* view_;
    QListWidget* findingList_;
    QPushButton* savePicture_;
    std::unique_ptr<SceneItems> items_;
    std::shared_ptr<const GraphContent> content_;
};

}  // namespace walkconv::ui
