// Speed of a repaint of the graph window's views while a point is dragged, on the largest graph
// (1001 points, 1001 links), painted with GDI+ into an off-screen bitmap as the Win32 window
// paints them, its kept layers included; with and without the ship's model under the graph.
// Each case is one step of the drag: the repaint alone, and the edit with it.
//
// Built in the Windows build and run under Wine (build-windows/wine-run.sh
// build-windows/bench/win32/gdiplus_repaint_bench.exe); Google Benchmark has no Windows build
// here, so it times itself: a few warm-up steps, then the median, the fastest and the mean.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

#include "repaint_scene.h"
#include "win32/gdiplus_canvas.h"

namespace walkconv {
namespace {

constexpr int kWarmUp = 3;
constexpr int kTimed = 40;

// An off-screen bitmap like the one the window paints into, and its layers.
class Target {
  public:
    Target() {
        const HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, bench::kViewsWidth, bench::kViewsHeight);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Target() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    void Paint(const bench::RepaintScene& scene) {
        Gdiplus::Graphics graphics(dc_);
        win32::GdiplusCanvas canvas(graphics, &layers_);
        scene.window.Paint(canvas);
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    win32::GdiplusLayers layers_;
};

void Report(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
    std::printf("%-36s median %7.2f ms   fastest %7.2f ms   mean %7.2f ms   (%zu steps)\n", name,
                times[times.size() / 2], times.front(), mean, times.size());
}

void Run(const char* name, bool withModel, bool withEdit) {
    bench::RepaintScene scene(withModel);
    if (scene.HasModel() != withModel) {
        std::printf("%-36s the ship's model was not read\n", name);
        return;
    }
    Target target;
    target.Paint(scene);
    std::vector<double> times;
    for (int step = 0; step < kWarmUp + kTimed; ++step) {
        if (!withEdit) {
            scene.DragStep();
        }
        const auto start = std::chrono::steady_clock::now();
        if (withEdit) {
            scene.DragStep();
        }
        target.Paint(scene);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (step >= kWarmUp) {
            times.push_back(took.count());
        }
    }
    Report(name, times);
}

}  // namespace
}  // namespace walkconv

int main() {
    const walkconv::win32::GdiplusSession gdiplus;
    walkconv::Run("BM_RepaintWhileDragging", false, false);
    walkconv::Run("BM_RepaintWhileDraggingWithModel", true, false);
    walkconv::Run("BM_DragStepAndRepaint", false, true);
    walkconv::Run("BM_DragStepAndRepaintWithModel", true, true);
    return 0;
}
