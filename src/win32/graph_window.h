#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/graph_window.h"
#include "win32/top_window.h"
#include "win32/win32_host.h"

namespace walkconv::win32 {

// The picture of a walking graph in a window of its own, resizable: the two views of the
// core's drawing, and beside them the list of findings, where selecting one highlights its
// points or link. "Save picture..." (Ctrl+S) writes the picture as PNG (at the window's size)
// or SVG. What it does is app::GraphWindowBehaviour's; this only forwards and paints.
class GraphWindow : public TopWindow {
  public:
    // Control ids of the window (none is IDOK or IDCANCEL).
    static constexpr int kViewId = 100;
    static constexpr int kFindingsLabelId = 101;
    static constexpr int kFindingListId = 102;
    static constexpr int kSavePictureId = 103;

    // Makes the window, hidden, 800 by 600 pixels at 96 DPI; it deletes itself when destroyed.
    static GraphWindow& Make();

    // Shows `content` under the title "<model> - graph", the picture fitted in the view; the
    // content already shown is left as it is, zoom and selection with it.
    void ShowContent(std::shared_ptr<const app::GraphContent> content);

    const app::GraphWindowBehaviour& Behaviour() const { return behaviour_; }
    HWND View() const { return GetDlgItem(Handle(), kViewId); }
    HWND ToolTip() const { return toolTip_; }

    // Paints the view as it stands into `dc`, `width` by `height` pixels.
    void PaintView(HDC dc, int width, int height) const;

    // Called when the user closes the window, which then hides.
    std::function<void()> onClosed;

  private:
    GraphWindow();
    ~GraphWindow() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayOut(UINT dpi) override;
    // Places the view, the findings and the button in the window's client area.
    void Place(UINT dpi);
    void SavePicture();
    void SelectFinding();

    static LRESULT CALLBACK ViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ViewMessage(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
    void Hover(POINT at);

    app::GraphWindowBehaviour behaviour_;
    Win32Host host_;
    app::TextMeasure measure_;
    HWND toolTip_ = nullptr;
    HFONT font_ = nullptr;
    std::optional<POINT> dragFrom_;
    std::wstring hover_;
};

}  // namespace walkconv::win32
