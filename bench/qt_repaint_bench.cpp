// Speed of a repaint of the graph window's views while a point is dragged, on the largest graph
// (1001 points, 1001 links), painted by Qt off the screen into an image of the views' size as
// the window paints them, its kept layers included; with and without the ship's model under the
// graph. Each iteration is one step of the drag: the repaint alone, and the edit with it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "qt/qt_canvas.h"
#include "repaint_scene.h"

namespace walkconv {
namespace {

void Paint(const bench::RepaintScene& scene, QImage& image, qt::QtLayers& layers) {
    QPainter painter(&image);
    qt::QtCanvas canvas(painter, &layers);
    scene.window.Paint(canvas);
}

void Repaint(benchmark::State& state, bool withModel, bool withEdit) {
    bench::RepaintScene scene(withModel);
    if (scene.HasModel() != withModel) {
        state.SkipWithError("the ship's model was not read");
        return;
    }
    QImage image(bench::kViewsWidth, bench::kViewsHeight, QImage::Format_ARGB32_Premultiplied);
    qt::QtLayers layers;
    Paint(scene, image, layers);
    for (auto _ : state) {
        if (!withEdit) {
            state.PauseTiming();
        }
        scene.DragStep();
        if (!withEdit) {
            state.ResumeTiming();
        }
        Paint(scene, image, layers);
    }
}

void BM_RepaintWhileDragging(benchmark::State& state) {
    Repaint(state, false, false);
}
void BM_RepaintWhileDraggingWithModel(benchmark::State& state) {
    Repaint(state, true, false);
}
void BM_DragStepAndRepaint(benchmark::State& state) {
    Repaint(state, false, true);
}
void BM_DragStepAndRepaintWithModel(benchmark::State& state) {
    Repaint(state, true, true);
}
BENCHMARK(BM_RepaintWhileDragging)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintWhileDraggingWithModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepAndRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepAndRepaintWithModel)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace walkconv

int main(int argc, char** argv) {
    // Off the screen unless told otherwise, so that it runs anywhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
