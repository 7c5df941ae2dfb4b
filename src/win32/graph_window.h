#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/graph_window.h"
#include "win32/gdiplus_canvas.h"
#include "win32/top_window.h"
#include "win32/win32_host.h"

namespace walkconv::win32 {

// The editor of a walking graph in a window of its own, resizable: the two views of the core's
// drawing and beside them the side column of app::GraphControls(), with a status line below.
// What it does is that of the app::GraphWindowBehaviour it is made over; this only forwards
// the mouse, the keys and the controls' commands to it and shows its view.
class GraphWindow : public TopWindow {
  public:
    // Control ids of the window (none is IDOK or IDCANCEL): the view, the status line, then
    // the side column's controls in the order of app::GraphControls().
    static constexpr int kViewId = 100;
    static constexpr int kStatusId = 101;
    static constexpr int kFirstPanelId = 110;

    // Makes the window over `behaviour`, which outlives it, hidden, 800 by 600 pixels at
    // 96 DPI; it deletes itself when destroyed.
    // `host` takes its dialogs; none: a Win32Host over this window.
    static GraphWindow& Make(app::GraphWindowBehaviour& behaviour, app::Host* host = nullptr);

    // Shows the behaviour's view, and paints the picture again.
    void Render();

    const app::GraphWindowBehaviour& Behaviour() const { return behaviour_; }
    HWND View() const { return GetDlgItem(Handle(), kViewId); }
    HWND Status() const { return GetDlgItem(Handle(), kStatusId); }
    // The side column's control named so in app::GraphControls().
    HWND Control(std::string_view name) const;
    HWND ToolTip() const { return toolTip_; }

    // Paints the view as it stands into `dc`, `width` by `height` pixels.
    void PaintView(HDC dc, int width, int height) const;

    // Called after every event that may have changed the graph (the converter window shows it
    // and then this window); without it the window shows the change itself.
    std::function<void()> onChanged;
    // Called when the user closes the window, with its host to ask about unsaved edits;
    // without it the window hides.
    std::function<void(app::Host&)> onClose;

  private:
    GraphWindow(app::GraphWindowBehaviour& behaviour, app::Host* host);
    ~GraphWindow() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool TakeKey(const MSG& key) override;
    void LayOut(UINT dpi) override;
    // Places the view, the side column and the status line in the window's client area.
    void Place(UINT dpi);
    void Changed();
    void Run(app::GraphCommand command, const app::CommandInput& input = {});
    void Command(int id, int notification);
    void RenderFindings(const app::GraphWindowView& view);
    // Enter in a field of the panel.
    void Entered(HWND field);

    static LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR window);
    static LRESULT CALLBACK ViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ViewMessage(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
    void Hover(POINT at);

    app::GraphWindowBehaviour& behaviour_;
    app::WindowHost host_;
    GdiplusDrawer drawer_;
    mutable GdiplusLayers layers_;  // of the views, kept between paints
    HWND toolTip_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring hover_;
    std::vector<std::string> rows_;  // the findings list shows these
};

}  // namespace walkconv::win32
