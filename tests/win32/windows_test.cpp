// The Win32 windows' own wiring: each window built from its table, each control's event
// reaching the behaviour, each field of the behaviour's view reaching its control, drops, and
// the host's registry. What the windows do is tested in tests/app.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "app/direction.h"
#include "app/window_tables.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "win32/chooser_window.h"
#include "win32/converter_window.h"
#include "win32/graph_window.h"
#include "win32/wide_text.h"
#include "win32_test_support.h"

namespace walkconv::win32 {
namespace {

using testing::Press;
using testing::Pump;
using testing::ScriptedHost;
using testing::Shown;
using testing::TempDir;

TableWindow& OpenWindow(std::string_view name, app::Host& host) {
    if (name == "Form3") {
        return ChooserWindow::Open(&host);
    }
    return ConverterWindow::Open(
        name == "Form1" ? app::WalkToSailorpoints() : app::SailorpointsToWalk(), &host);
}

RECT PlaceIn(HWND window, HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Every control of the table in its place, with its kind and caption, no default button and
// no id that Enter or Escape would send; the client area of the table's size.
void ExpectBuiltAt96Dpi(const TableWindow& window) {
    const app::WindowSpec& spec = window.Spec();
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, app::TwipsToPixels(spec.widthTwips));
    EXPECT_EQ(client.bottom, app::TwipsToPixels(spec.heightTwips));
    for (const app::ControlSpec& control : spec.controls) {
        SCOPED_TRACE(control.name);
        const HWND handle = window.Control(control.name);
        ASSERT_NE(handle, nullptr);
        const RECT place = PlaceIn(window.Handle(), handle);
        EXPECT_EQ(place.left, app::TwipsToPixels(control.left));
        EXPECT_EQ(place.top, app::TwipsToPixels(control.top));
        EXPECT_EQ(place.right - place.left, app::TwipsToPixels(control.width));
        EXPECT_EQ(place.bottom - place.top, app::TwipsToPixels(control.height));
        EXPECT_NE(SendMessageW(handle, WM_GETFONT, 0, 0), 0);
        EXPECT_GT(GetDlgCtrlID(handle), IDCANCEL);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
        if (control.kind == app::ControlKind::Button) {
            EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_PUSHBUTTON});
        } else if (control.kind == app::ControlKind::OptionButton) {
            EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_AUTORADIOBUTTON});
        } else if (control.kind == app::ControlKind::Label) {
            EXPECT_TRUE(style & SS_NOPREFIX);  // an "&" in a path or model name shows as such
        }
        EXPECT_EQ(WindowText(handle), control.caption);
    }
}

TEST(Win32Windows, EachIsBuiltFromItsTableInTabOrderAndScalesWithTheMonitorsDpi) {
    ScriptedHost host;
    for (const char* name : {"Form3", "Form1", "Form2"}) {
        SCOPED_TRACE(name);
        TableWindow& window = OpenWindow(name, host);
        const HWND handle = window.Handle();
        ASSERT_EQ(GetDpiForWindow(handle), 96u);
        EXPECT_EQ(WindowText(handle), window.Spec().caption);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_NE(GetClassLongPtrW(handle, GCLP_HICON), 0);
        ExpectBuiltAt96Dpi(window);

        // Tab order is the order of creation: the table's. The first control has the focus.
        HWND child = GetWindow(handle, GW_CHILD);
        for (const app::ControlSpec& control : window.Spec().controls) {
            EXPECT_EQ(child, window.Control(control.name)) << control.name;
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(GetFocus(), window.Control(window.Spec().controls.front().name));

        // Moved to a monitor of 144 DPI, the controls are half as large again, and so is the
        // font. (The frame is the test's monitor's, so the client area is not compared.)
        const HWND last = window.Control(window.Spec().controls.back().name);
        const RECT before = PlaceIn(handle, last);
        LOGFONTW fontBefore{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(last, WM_GETFONT, 0, 0)), sizeof fontBefore,
                   &fontBefore);
        RECT suggested{};
        GetWindowRect(handle, &suggested);
        SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(144, 144),
                     reinterpret_cast<LPARAM>(&suggested));
        const RECT after = PlaceIn(handle, last);
        EXPECT_NEAR(after.left, 1.5 * before.left, 1);
        EXPECT_NEAR(after.bottom, 1.5 * before.bottom, 1);
        LOGFONTW fontAfter{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(last, WM_GETFONT, 0, 0)), sizeof fontAfter,
                   &fontAfter);
        EXPECT_NEAR(fontAfter.lfHeight, 1.5 * fontBefore.lfHeight, 1);
        DestroyWindow(handle);
    }
    Pump();
}

TEST(Win32Windows, ChooserOptionsSelectEnterAndEscapeTriggerNothingAndOkOpensTheWindow) {
    ScriptedHost host;
    ChooserWindow& chooser = ChooserWindow::Open(&host);
    const HWND option1 = chooser.Control("Option1");
    const HWND option2 = chooser.Control("Option2");
    EXPECT_EQ(SendMessageW(option1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(chooser.Behaviour().View(), app::ChooserView{});

    // Tab goes round the controls in the table's order; once an option is selected, it is the
    // group's stop, and the arrow keys move within the group and select, as in every dialog of
    // the system. Enter and Escape do nothing.
    const HWND ok = chooser.Control("Command1");
    EXPECT_EQ(GetFocus(), option1);
    for (const HWND next : {option2, ok, option1}) {
        Press(VK_TAB);
        EXPECT_EQ(GetFocus(), next);
    }
    Press(VK_DOWN);
    EXPECT_EQ(GetFocus(), option2);
    EXPECT_EQ(chooser.Behaviour().View(), (app::ChooserView{.option1 = false, .option2 = true}));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), ok);
    for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
        Press(key);
        EXPECT_EQ(Shown<ChooserWindow>().size(), 1u);
        EXPECT_TRUE(Shown<ConverterWindow>().empty());
    }
    SendMessageW(option1, BM_CLICK, 0, 0);
    EXPECT_EQ(chooser.Behaviour().View(), (app::ChooserView{.option1 = true, .option2 = false}));
    EXPECT_EQ(SendMessageW(option1, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(option2, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SendMessageW(ok, BM_CLICK, 0, 0);
    EXPECT_TRUE(Shown<ChooserWindow>().empty());
    ASSERT_EQ(Shown<ConverterWindow>().size(), 1u);
    ConverterWindow& converter = *Shown<ConverterWindow>().front();
    EXPECT_EQ(&converter.Behaviour().direction(), &app::WalkToSailorpoints());
    EXPECT_EQ(GetFocus(), converter.Control("Text1"));
    EXPECT_FALSE(Pump());  // the converter window keeps the program running...

    // ...and closing it (Alt+F4 or the close box) ends the program.
    SendMessageW(converter.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(OpenMainWindows(), 0);
    EXPECT_TRUE(Pump());
}

// A converter window of either direction, with the scripted host in place.
class ConverterWiring : public ::testing::TestWithParam<const app::Direction*> {
  protected:
    ConverterWiring() : window(ConverterWindow::Open(*GetParam(), &host)) {}
    ~ConverterWiring() override {
        DestroyWindow(window.Handle());
        Pump();
    }

    bool Walk() const { return GetParam()->reads == InputKind::WalkSource; }
    const app::ConverterView& View() const { return window.Behaviour().View(); }
    HWND Control(const char* name) const { return window.Control(name); }
    std::string Valid(const std::string& name = "ship") const {
        return Utf8FromPath(dir.Write(name + (Walk() ? "_walk.c" : "1.ini"),
                                      Walk() ? testing::kShipWalk : testing::kShipSailorpoints));
    }
    // What a button tells its window when clicked.
    void Click(const char* button) const {
        SendMessageW(window.Handle(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(Control(button)), BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(button)));
    }
    void Type(const char* box, const std::string& text) const { SetText(Control(box), text); }

    // Every control shows what the behaviour's view says.
    void ExpectShowsTheView() const {
        EXPECT_EQ(WindowText(Control("Text1")), View().text1);
        EXPECT_EQ(WindowText(Control("Label2")), View().label2);
        EXPECT_EQ(IsWindowEnabled(Control("Command3")) != 0, View().command3Enabled);
        EXPECT_EQ(IsWindowEnabled(Control("Command4")) != 0, View().command4Enabled);
        if (!Walk()) {
            EXPECT_EQ(WindowText(Control("Text2")), View().text2);
            EXPECT_EQ(IsWindowEnabled(Control("Text2")) != 0, View().text2Enabled);
        }
        const GraphWindow* graph = window.Graph();
        EXPECT_EQ(graph != nullptr && IsWindowVisible(graph->Handle()), View().graphShown);
    }

    ScriptedHost host;
    TempDir dir;
    ConverterWindow& window;
};

TEST_P(ConverterWiring, EveryEventReachesTheBehaviourAndItsViewTheControls) {
    ExpectShowsTheView();
    const std::string path = Valid("\xc5\xa1ip");  // "šip": beyond the ANSI code page
    Type("Text1", path);
    EXPECT_EQ(View().text1, path);
    Click("Command1");
    EXPECT_TRUE(View().command3Enabled);
    ExpectShowsTheView();

    if (!Walk()) {
        Type("Text2", " my boat");
        EXPECT_EQ(View().text2, " my boat");
    }
    // The success message shows over the window as it was, Convert! still enabled; once it is
    // closed, the focus leaves the disabled button for the next control in tab order.
    SetFocus(Control("Command3"));
    bool enabledUnderMessage = false;
    host.onMessage = [&](std::string_view) {
        enabledUnderMessage = IsWindowEnabled(Control("Command3")) != 0;
    };
    host.fileAnswers.push_back(Utf8FromPath(dir.path() / "out"));
    Click("Command3");
    EXPECT_EQ(host.messages, std::vector<std::string>{kConvertedMessage});
    EXPECT_TRUE(enabledUnderMessage);
    EXPECT_FALSE(View().command3Enabled);
    EXPECT_EQ(GetFocus(), Control(Walk() ? "Command4" : "Command2"));
    EXPECT_FALSE(TempDir::Read(dir.path() / "out").empty());
    ExpectShowsTheView();

    Click("Command4");
    EXPECT_TRUE(View().graphShown);
    ExpectShowsTheView();
    // Closing the graph window tells the behaviour; a new analysis follows in the same window.
    SendMessageW(window.Graph()->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(View().graphShown);
    Click("Command4");
    Type("Text1", Valid("boat"));
    Click("Command1");
    EXPECT_EQ(WindowText(window.Graph()->Handle()), "boat - graph");

    host.fileAnswers.push_back(Utf8FromPath(dir.path() / "other"));
    Click("Command2");
    EXPECT_EQ(host.fileRequests.back().mode, app::FileRequest::Mode::Open);
    EXPECT_EQ(View().text1, Utf8FromPath(dir.path() / "other"));
    ExpectShowsTheView();  // the graph window is hidden again

    // A failure clears the window before its message shows over it.
    Type("Text1", Valid());
    Click("Command1");
    std::string labelUnderMessage = "not shown";
    host.onMessage = [&](std::string_view) { labelUnderMessage = WindowText(Control("Label2")); };
    Type("Text1", Utf8FromPath(dir.Write(Walk() ? "a.c" : "a.in", "x")));  // too short a name
    Click("Command1");
    EXPECT_EQ(labelUnderMessage, "");
    ExpectShowsTheView();
    EXPECT_EQ(host.unexpectedDialogs, 0);
}

TEST_P(ConverterWiring, TheGraphsEditsAreSavedFromItsWindowAndAskedAboutWhenEitherCloses) {
    Type("Text1", Valid());
    Click("Command1");
    Click("Command4");
    GraphWindow& graph = *window.Graph();
    const auto click = [](HWND button) { SendMessageW(button, BM_CLICK, 0, 0); };
    const std::string analysed = View().label2;
    click(graph.Control("AddPoint"));
    EXPECT_EQ(WindowText(graph.Handle()), "ship* - graph");

    // Closing either window asks about the edit; Cancel keeps both open.
    host.answers = {app::Host::Answer::Cancel, app::Host::Answer::Cancel};
    SendMessageW(graph.Handle(), WM_CLOSE, 0, 0);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(host.questions,
              std::vector<std::string>(2, "Save changes to the walking graph of ship?"));
    EXPECT_TRUE(IsWindowVisible(graph.Handle()));
    ASSERT_TRUE(IsWindow(window.Handle()));

    // Save writes the file, which this window analyses again: its result area follows.
    click(graph.Control("Save"));
    EXPECT_EQ(WindowText(graph.Handle()), "ship - graph");
    EXPECT_NE(View().label2, analysed);
    ExpectShowsTheView();

    // Discarded, the edit goes and the graph window with it.
    click(graph.Control("AddPoint"));
    host.answers = {app::Host::Answer::Discard};
    SendMessageW(graph.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(View().graphShown);
    ExpectShowsTheView();
    EXPECT_EQ(host.unexpectedDialogs, 0);
}

// WM_DROPFILES as Explorer sends it: a DROPFILES block of wide names, each ended by a NUL,
// the list by another.
HGLOBAL DropOf(const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const std::wstring& file : files) {
        names += file + L'\0';
    }
    names += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    return drop;
}

TEST_P(ConverterWiring, AFileDroppedFromExplorerIsAnalysedAndAFolderIsNot) {
    EXPECT_NE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    const std::string valid = Valid("\xd0\xba\xd0\xb8\xd1\x82");  // "кит"
    Type("Text1", "typed");
    SendMessageW(window.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({dir.path().wstring(), Widen(valid)})), 0);
    EXPECT_EQ(WindowText(Control("Text1")), "typed");

    SendMessageW(window.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({Widen(valid), dir.path().wstring()})), 0);
    EXPECT_EQ(WindowText(Control("Text1")), valid);
    EXPECT_TRUE(View().command4Enabled);
    ExpectShowsTheView();
}

INSTANTIATE_TEST_SUITE_P(BothDirections, ConverterWiring,
                         ::testing::Values(&app::WalkToSailorpoints(), &app::SailorpointsToWalk()),
                         [](const auto& info) { return std::string(info.param->window.name); });

TEST(Win32Host, FileDialogsAreSetUpFromTheRequestAndFoldersRoundTripThroughTheRegistry) {
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    app::FileRequest request;
    request.fileName = "deck1.ini";
    request.filters = app::SailorpointsFilters();
    request.folder = "C:\\ships\\\xc3\xbc";  // "ü"
    FileDialogSetup setup;
    PrepareFileDialog(request, owner, setup);
    const OPENFILENAMEW& dialog = setup.dialog;
    EXPECT_EQ(dialog.hwndOwner, owner);
    EXPECT_EQ(std::wstring_view(dialog.lpstrFilter, setup.filter.size()),
              std::wstring_view(L"INI files (*.ini)\0*.ini\0All files (*.)\0*\0", 42));
    EXPECT_EQ(dialog.nFilterIndex, 1u);
    EXPECT_EQ(std::wstring(dialog.lpstrFile), L"deck1.ini");
    EXPECT_GE(dialog.nMaxFile, 32768u);
    EXPECT_EQ(std::wstring(dialog.lpstrInitialDir), L"C:\\ships\\\u00fc");
    EXPECT_EQ(dialog.Flags & (OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST |
                              OFN_OVERWRITEPROMPT),
              DWORD{OFN_EXPLORER | OFN_HIDEREADONLY});

    Win32Host host;
    const std::string folder = "C:\\\xd0\xbc\xd0\xbe\xd1\x80\xd0\xb5\\" + std::string(300, 'x');
    host.RememberFolder("TestKind", folder);
    EXPECT_EQ(host.RememberedFolder("TestKind"), folder);
    EXPECT_EQ(Win32Host().RememberedFolder("NoSuchKind"), "");
    wchar_t stored[400] = {};
    DWORD bytes = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\walk-converter", L"TestKind",
                           RRF_RT_REG_SZ, nullptr, stored, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(Narrow(stored), folder);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\walk-converter", L"TestKind");
}

TEST(Win32Host, TheQuestionIsATaskDialogWithItsTextTitleAndButtonsAndNoIcon) {
    const std::string question = "Save changes to the walking graph of ship?";
    QuestionSetup setup;
    PrepareQuestion(question, nullptr, setup);
    // The real dialog is answered in the real-window test (wine_window_test.py).
    EXPECT_EQ(Narrow(setup.dialog.pszMainInstruction), question);
    EXPECT_EQ(Narrow(setup.dialog.pszWindowTitle), kApplicationTitle);
    EXPECT_TRUE(setup.dialog.dwFlags & TDF_ALLOW_DIALOG_CANCELLATION);  // Escape gives IDCANCEL
    EXPECT_EQ(setup.dialog.pszContent, nullptr);
    EXPECT_EQ(setup.dialog.hMainIcon, nullptr);
    std::vector<std::pair<std::string, app::Host::Answer>> buttons;
    for (UINT i = 0; i < setup.dialog.cButtons; ++i) {
        const TASKDIALOG_BUTTON& button = setup.dialog.pButtons[i];
        buttons.emplace_back(Narrow(button.pszButtonText), AnswerOf(button.nButtonID));
    }
    EXPECT_EQ(buttons, (std::vector<std::pair<std::string, app::Host::Answer>>{
                           {"Save", app::Host::Answer::Save},
                           {"Discard", app::Host::Answer::Discard},
                           {"Cancel", app::Host::Answer::Cancel}}));
}

}  // namespace
}  // namespace walkconv::win32
