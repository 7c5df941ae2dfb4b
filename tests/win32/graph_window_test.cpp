// The Win32 graph window's wiring: the mouse, the keys, the panel's fields and buttons and the
// findings list reach the behaviour, the controls show what it holds, the tool tip shows what
// the mouse finds, the picture is painted with GDI+ and saved as a PNG.
#include "win32/graph_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "app/graph_controls.h"
#include "core/text_file.h"
#include "support/analysed_graph.h"
#include "win32/gdiplus_canvas.h"
#include "win32/wide_text.h"
#include "win32_test_support.h"

namespace walkconv::win32 {
namespace {

using testing::Analysed;
using testing::Press;
using testing::PressWithCtrl;
using testing::Pump;
using testing::ScriptedHost;
using testing::TempDir;

using Color = std::tuple<int, int, int>;

GraphDocument SmallGraph() {
    auto graph = Analysed({{0, 0, 0, 1}, {2, 1, 10, 1}, {-1, 3, 4, 2}, {1, 2, 7, 3}},
                          {{0, 1}, {1, 2}, {2, 2}, {1, 9}, {0, 1}, {7, 8}});
    return DocumentOf(InputKind::Sailorpoints, graph.state, graph.details, nullptr);
}

// The colours of the dots that mark points of the drawing, as painted.
std::set<Color> DotColors(const GraphDrawing& drawing) {
    std::set<Color> colors;
    for (const DrawnPoint& point : drawing.points) {
        if (point.mark == PointMark::Dot) {
            colors.insert({point.color.red, point.color.green, point.color.blue});
        }
    }
    return colors;
}

class GraphWindowWiring : public ::testing::Test {
  protected:
    GraphWindowWiring() : window(GraphWindow::Make(behaviour, &host)) {
        behaviour.Open(SmallGraph(), Utf8FromPath(dir.path() / "ship1.ini"));
        content = behaviour.Editing().Content();
        window.Render();
        window.Show();
    }
    ~GraphWindowWiring() override {
        DestroyWindow(window.Handle());
        Pump();
    }

    const app::GraphWindowBehaviour& Behaviour() const { return window.Behaviour(); }
    const std::vector<Point>& Points() const { return behaviour.Editing().Document().points; }
    HWND List() const { return window.Control("FindingList"); }
    std::string Text(const char* control) const { return WindowText(window.Control(control)); }
    void Click(const char* button) const { SendMessageW(window.Control(button), BM_CLICK, 0, 0); }

    // The place in the views where the picture's `spot` shows, in the top view or another.
    POINT At(Spot spot, std::size_t view = kTopView) const {
        const app::ScreenPoint point = Behaviour().ToScreen(view, spot);
        return {std::lround(point.x), std::lround(point.y)};
    }
    void Mouse(UINT message, POINT at, WPARAM keys = 0) const {
        SendMessageW(window.View(), message, keys, MAKELPARAM(at.x, at.y));
    }
    std::string ToolTip() const {
        wchar_t text[1024] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window.Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(window.View());
        tool.lpszText = text;
        SendMessageW(window.ToolTip(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        return Narrow(text);
    }

    ScriptedHost host;
    TempDir dir;
    app::GraphWindowBehaviour behaviour;
    GraphWindow& window;
    std::shared_ptr<const app::GraphContent> content;  // as first shown
};

TEST_F(GraphWindowWiring, IsAResizableWindowTitledWithTheModelItsPanelAndItsFindings) {
    EXPECT_EQ(WindowText(window.Handle()), "ship - graph");
    // The view, then the side column in the table's order (the tab order) with its captions.
    HWND child = GetWindow(window.Handle(), GW_CHILD);
    EXPECT_EQ(child, window.View());
    // Each shows its part of the behaviour's view.
    const app::GraphWindowView view = Behaviour().WindowView();
    const std::span<const app::GraphControl> controls = app::GraphControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        child = GetWindow(child, GW_HWNDNEXT);
        ASSERT_EQ(child, window.Control(controls[i].name)) << controls[i].name;
        EXPECT_EQ(IsWindowEnabled(child) != 0, view.controls[i].enabled) << controls[i].name;
        if (controls[i].kind != app::ControlKind::List) {
            EXPECT_EQ(WindowText(child), view.controls[i].text) << controls[i].name;
        }
        if (controls[i].kind == app::ControlKind::CheckBox) {
            EXPECT_EQ(SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED,
                      view.controls[i].checked)
                << controls[i].name;
        }
    }
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, app::kGraphWindowWidth);
    EXPECT_EQ(client.bottom, app::kGraphWindowHeight);
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_STYLE) & WS_THICKFRAME);
    ASSERT_EQ(SendMessageW(List(), LB_GETCOUNT, 0, 0), LRESULT(Behaviour().Rows().size()));
    wchar_t row[512] = {};
    SendMessageW(List(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(Narrow(row), Behaviour().Rows()[0]);

    // Selecting a finding highlights it and offers its fix; "Fix all" fixes every one.
    EXPECT_FALSE(IsWindowEnabled(window.Control("Fix")));
    SendMessageW(List(), LB_SETCURSEL, 1, 0);
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(List()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(List()));
    EXPECT_EQ(Behaviour().SelectedFinding(), 1);
    EXPECT_FALSE(Behaviour().Highlighted().Empty());
    ASSERT_TRUE(Behaviour().CanFix());
    EXPECT_TRUE(IsWindowEnabled(window.Control("Fix")));
    Click("FixAll");
    EXPECT_FALSE(Behaviour().CanFixAll());
    EXPECT_FALSE(IsWindowEnabled(window.Control("FixAll")));
    EXPECT_EQ(SendMessageW(List(), LB_GETCOUNT, 0, 0), LRESULT(Behaviour().Rows().size()));
    EXPECT_EQ(WindowText(window.Handle()), "ship* - graph");

    auto plain = Analysed({{0, 0, 0, 1}, {1, 1, 1, 1}}, {{0, 1}});
    behaviour.Open(DocumentOf(InputKind::Sailorpoints, plain.state, plain.details, nullptr), "x");
    window.Render();
    EXPECT_EQ(SendMessageW(List(), LB_GETCOUNT, 0, 0), 1);
    EXPECT_FALSE(IsWindowEnabled(List()));  // "No findings" cannot be selected
}

TEST_F(GraphWindowWiring, TheMouseZoomsPansFitsAndShowsTitlesInTheToolTip) {
    const DrawnPoint& point = content->drawing.points[1];
    const double fitted = Behaviour().View().Zoom();
    const POINT before = At(point.at[kTopView]);
    Mouse(WM_MOUSEMOVE, before);
    EXPECT_EQ(ToolTip(), point.title);

    // The wheel, sent to the control with the focus (the findings list here), zooms the view
    // under the mouse; it tells where the mouse is on the screen.
    POINT onScreen = before;
    ClientToScreen(window.View(), &onScreen);
    SetFocus(List());
    PostMessageW(List(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA),
                 MAKELPARAM(onScreen.x, onScreen.y));
    Pump();
    EXPECT_GT(Behaviour().View().Zoom(), fitted * 1.3);
    EXPECT_LE(std::abs(At(point.at[kTopView]).x - before.x), 1);
    EXPECT_LE(std::abs(At(point.at[kTopView]).y - before.y), 1);

    // Dragging the empty page pans: the point moves with the mouse.
    const POINT to{before.x - 40, before.y + 25};
    Mouse(WM_LBUTTONDOWN, {2, 2}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, {2 - 40, 2 + 25}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {2 - 40, 2 + 25});
    EXPECT_LE(std::abs(At(point.at[kTopView]).x - to.x), 1);
    EXPECT_LE(std::abs(At(point.at[kTopView]).y - to.y), 1);
    Mouse(WM_MOUSEMOVE, to);
    EXPECT_EQ(ToolTip(), point.title);
    EXPECT_FALSE(Behaviour().Editing().CanUndo());

    // Dragging a point moves it, as one edit, the mouse held by the view meanwhile; Ctrl and
    // a click on another point link them.
    Mouse(WM_LBUTTONDOWN, to, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), window.View());
    Mouse(WM_MOUSEMOVE, {to.x + 30, to.y}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {to.x + 30, to.y});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_GT(Points()[1].z, 10);
    EXPECT_EQ(WindowText(window.Handle()), "ship* - graph");
    const std::size_t links = behaviour.Editing().Document().links.size();
    Mouse(WM_LBUTTONDOWN, At(Behaviour().Content()->drawing.points[3].at[kTopView]),
          MK_LBUTTON | MK_CONTROL);
    Mouse(WM_LBUTTONUP, {0, 0});
    ASSERT_EQ(behaviour.Editing().Document().links.size(), links + 1);
    EXPECT_EQ(behaviour.Editing().Document().links.back().ends, (Link{1, 3}));

    Mouse(WM_LBUTTONDBLCLK, to);
    EXPECT_EQ(Behaviour().View().Zoom(), fitted);
    Mouse(WM_MOUSEMOVE, {1, 1});
    EXPECT_EQ(ToolTip(), "");
}

TEST_F(GraphWindowWiring, TheBarMovesTheSplitAndSameScaleIsACheckBox) {
    const app::ViewRect bar = Behaviour().Panes().Layout().splitBar;
    const POINT onBar{50, std::lround(bar.top + bar.height / 2)};
    Mouse(WM_LBUTTONDOWN, onBar, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, {onBar.x, onBar.y - 60}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {onBar.x, onBar.y - 60});
    EXPECT_LE(std::abs(Behaviour().Panes().Layout().splitBar.top - (bar.top - 60)), 1);

    const DrawnPoint& point = content->drawing.points[2];
    Mouse(WM_MOUSEMOVE, At(point.at[kSideView], kSideView));
    EXPECT_EQ(ToolTip(), point.title);

    const HWND sameScale = window.Control("SameScale");
    EXPECT_EQ(SendMessageW(sameScale, BM_GETCHECK, 0, 0), BST_CHECKED);
    Click("SameScale");
    EXPECT_FALSE(Behaviour().Panes().SameScale());
    EXPECT_EQ(SendMessageW(sameScale, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click("SameScale");
    EXPECT_TRUE(Behaviour().Panes().SameScale());
    EXPECT_EQ(SendMessageW(sameScale, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(GraphWindowWiring, ThePanelShowsTheSelectionAndTheKeysReachTheEditorFromAnyControl) {
    // A click on point 1 selects it, and the panel shows its fields.
    const POINT point = At(content->drawing.points[1].at[kSideView], kSideView);
    Mouse(WM_LBUTTONDOWN, point, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, point);
    EXPECT_EQ(Text("PointNumber") + " " + Text("X") + " " + Text("Y") + " " + Text("Z") + " " +
                  Text("Type") + " / " + Text("SelectionText"),
              "1 2 1 10 1 / point 1");
    EXPECT_TRUE(IsWindowEnabled(window.Control("X")));

    // A value typed into X and Enter move the point; the focus stays in the field, where Ctrl+Z
    // is the editor's undo, not the field's.
    const HWND x = window.Control("X");
    SetFocus(x);
    SetText(x, "-0.5");
    Press(VK_RETURN);
    EXPECT_EQ(Points()[1].x, -0.5);
    EXPECT_EQ(WindowText(window.Handle()), "ship* - graph");
    EXPECT_EQ(GetFocus(), x);
    PressWithCtrl('Z');
    EXPECT_EQ(Points()[1].x, 2);
    EXPECT_EQ(Text("X"), "2");
    EXPECT_EQ(WindowText(window.Handle()), "ship - graph");

    // Ctrl+G goes to the point number, selected whole.
    PressWithCtrl('G');
    const HWND number = window.Control("PointNumber");
    EXPECT_EQ(GetFocus(), number);
    DWORD from = 1;
    DWORD to = 0;
    SendMessageW(number, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 1u);

    // Delete removes the point only from the view.
    Press(VK_DELETE);
    EXPECT_EQ(Points().size(), 4u);
    SetFocus(window.View());
    Press(VK_DELETE);
    EXPECT_EQ(Points().size(), 3u);
    EXPECT_FALSE(IsWindowEnabled(x));  // nothing selected
}

TEST_F(GraphWindowWiring, PaintsTheDotsInTheirTypesColoursAndCtrlShiftESavesAPngThatDecodes) {
    RECT view{};
    GetClientRect(window.View(), &view);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = view.right;
    format.bmiHeader.biHeight = -view.bottom;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window.View(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::set<Color> painted;
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    for (long i = 0; i < long{view.right} * view.bottom; ++i) {
        painted.insert({pixels[4 * i + 2], pixels[4 * i + 1], pixels[4 * i]});
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    for (const Color& dot : DotColors(content->drawing)) {
        EXPECT_TRUE(painted.contains(dot)) << "no dot of the colour " << std::get<0>(dot) << ","
                                           << std::get<1>(dot) << "," << std::get<2>(dot);
    }

    // Ctrl+Shift+E, as the keyboard sends it through the message loop.
    const std::filesystem::path saved = dir.path() / "picture.png";
    host.fileAnswers.push_back(Utf8FromPath(saved));
    SetFocus(window.View());
    PressWithCtrl('E', true);
    ASSERT_EQ(host.fileRequests.size(), 1u);
    EXPECT_EQ(host.fileRequests.front().fileName, "ship_graph.png");
    EXPECT_TRUE(host.messages.empty());

    Gdiplus::Bitmap png(saved.wstring().c_str());
    ASSERT_EQ(png.GetLastStatus(), Gdiplus::Ok);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(png.GetWidth(), UINT(client.right));
    EXPECT_EQ(png.GetHeight(), UINT(client.bottom));
    Gdiplus::Color corner;
    png.GetPixel(0, 0, &corner);
    EXPECT_EQ(corner.GetValue(), Gdiplus::Color(255, 255, 255).GetValue());  // a white page
}

}  // namespace
}  // namespace walkconv::win32
