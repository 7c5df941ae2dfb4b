#pragma once

// The scene of the repaint benchmarks of both front-ends: the graph window's behaviour over
// the largest graph the tables hold (1001 points, 1001 links), in views of a window of about
// 1400 by 900 pixels, with or without a ship's model under the graph, and a point of it held by
// the mouse, ready to be dragged a pixel at a time.

#include <string>

#include "app/graph_window.h"
#include "core/editing/graph_document.h"
#include "core/text_file.h"
#include "support/analysed_graph.h"
#include "support/ship_model.h"
#include "support/temp_dir.h"

namespace walkconv::bench {

using app::GraphWindowBehaviour;
using app::ScreenPoint;

// The room of the views beside the side column, in pixels.
inline constexpr int kViewsWidth = 1100;
inline constexpr int kViewsHeight = 840;

class RepaintScene {
  public:
    explicit RepaintScene(bool withModel) {
        const testing::AnalysedGraph graph = testing::LargestWithFindings();
        if (withModel) {
            // A hull under the whole graph, a raised deck over its last third and a mast
            // through it, as the sample ship is made, at the graph's size.
            dir_.Write(graph.state.ModelName + ".obj",
                       testing::ObjOfBoxes({{{-45, -1, -145}, {90, 2, 2}},
                                            {{-45, 2, -145}, {90, 8, -100}},
                                            {{20, 2, -72}, {22, 30, -70}}}));
        }
        window.ResizeView(kViewsWidth, kViewsHeight);
        window.Open(DocumentOf(InputKind::Sailorpoints, graph.state, graph.details, nullptr),
                    Utf8FromPath(dir_.path() / (graph.state.ModelName + "1.ini")));
        const Spot& dot = window.Content()->drawing.points[kHeld].at[kSideView];
        grip_ = window.ToScreen(kSideView, dot);
        window.Press(grip_, false);
    }
    ~RepaintScene() { window.Release(); }
    RepaintScene(const RepaintScene&) = delete;
    RepaintScene& operator=(const RepaintScene&) = delete;

    bool HasModel() const { return window.Editing().Model() != nullptr; }

    // The held point one pixel up, or back down: an edit, as every step of a drag.
    void DragStep() {
        up_ = !up_;
        window.Move({grip_.x, grip_.y - (up_ ? 1 : 0)});
    }

    GraphWindowBehaviour window;

  private:
    static constexpr std::size_t kHeld = 500;
    testing::TempDir dir_;
    ScreenPoint grip_;
    bool up_ = false;
};

}  // namespace walkconv::bench
