// The Win32 graph window's wiring: the mouse and the findings list reach the behaviour, the
// tool tip shows what the mouse finds, the picture is painted with GDI+ and saved as a PNG.
#include "win32/graph_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "core/text_file.h"
#include "support/analysed_graph.h"
#include "win32/gdiplus_canvas.h"
#include "win32/wide_text.h"
#include "win32_test_support.h"

namespace walkconv::win32 {
namespace {

using testing::Analysed;
using testing::Pump;
using testing::ScriptedWin32Host;
using testing::TempDir;

using Color = std::tuple<int, int, int>;

std::shared_ptr<const app::GraphContent> SmallGraph() {
    auto graph = Analysed({{0, 0, 0, 1}, {2, 1, 10, 1}, {-1, 3, 4, 2}, {1, 2, 7, 3}},
                          {{0, 1}, {1, 2}, {2, 2}, {1, 9}, {0, 1}, {7, 8}});
    return app::MakeGraphContent(graph.state, graph.details, nullptr);
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
    GraphWindowWiring() : window(GraphWindow::Make()), content(SmallGraph()) {
        window.ShowContent(content);
        window.Show();
    }
    ~GraphWindowWiring() override {
        DestroyWindow(window.Handle());
        Pump();
    }

    const app::GraphWindowBehaviour& Behaviour() const { return window.Behaviour(); }
    HWND List() const { return GetDlgItem(window.Handle(), GraphWindow::kFindingListId); }

    // The place in the view where the picture's `spot` shows.
    POINT At(Spot spot) const {
        const app::ScreenPoint point = Behaviour().View().ToScreen(spot);
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

    ScriptedWin32Host host;
    TempDir dir;
    GraphWindow& window;
    std::shared_ptr<const app::GraphContent> content;
};

TEST_F(GraphWindowWiring, IsAResizableWindowTitledWithTheModelAndItsFindings) {
    EXPECT_EQ(WindowText(window.Handle()), "ship - graph");
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, app::kGraphWindowWidth);
    EXPECT_EQ(client.bottom, app::kGraphWindowHeight);
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_STYLE) & WS_THICKFRAME);
    ASSERT_EQ(SendMessageW(List(), LB_GETCOUNT, 0, 0), LRESULT(Behaviour().Rows().size()));
    wchar_t row[512] = {};
    SendMessageW(List(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(Narrow(row), Behaviour().Rows()[0]);

    // Selecting a finding highlights it.
    SendMessageW(List(), LB_SETCURSEL, 1, 0);
    SendMessageW(window.Handle(), WM_COMMAND,
                 MAKEWPARAM(GraphWindow::kFindingListId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(List()));
    EXPECT_EQ(Behaviour().SelectedFinding(), 1);
    EXPECT_FALSE(Behaviour().Highlighted().Empty());

    auto plain = Analysed({{0, 0, 0, 1}, {1, 1, 1, 1}}, {{0, 1}});
    window.ShowContent(app::MakeGraphContent(plain.state, plain.details, nullptr));
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

    // Dragging pans: the point follows the mouse.
    const POINT to{before.x - 40, before.y + 25};
    Mouse(WM_LBUTTONDOWN, before, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, to, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, to);
    EXPECT_LE(std::abs(At(point.at[kTopView]).x - to.x), 1);
    EXPECT_LE(std::abs(At(point.at[kTopView]).y - to.y), 1);
    EXPECT_EQ(ToolTip(), point.title);

    Mouse(WM_LBUTTONDBLCLK, to);
    EXPECT_EQ(Behaviour().View().Zoom(), fitted);
    Mouse(WM_MOUSEMOVE, {1, 1});
    EXPECT_EQ(ToolTip(), "");
}

TEST_F(GraphWindowWiring, PaintsTheDotsInTheirTypesColoursAndCtrlSSavesAPngThatDecodes) {
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

    // Ctrl+S, as the keyboard sends it through the message loop.
    const std::filesystem::path saved = dir.path() / "picture.png";
    host.fileAnswers.push_back(Utf8FromPath(saved));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(window.View(), WM_KEYDOWN, 'S', 1);
    Pump();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
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
