#pragma once

#include <windows.h>

#include <string_view>

// The program's top-level windows: each is a C++ object made and destroyed with its HWND.
namespace walkconv::win32 {

// A top-level window with the keyboard of a dialog: Tab moves through the controls in their
// order of creation (IsDialogMessageW in the message loop), and the control that had the
// focus gets it back when the window is activated again. It follows the DPI of the monitor it
// is on. The program ends when the last of its main windows is destroyed.
class TopWindow {
  public:
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;

    HWND Handle() const { return handle_; }

    // The object behind one of the program's windows, or null.
    static TopWindow* FromHandle(HWND window);

    // Shows the window, activated, with the focus on `first`, or else on its first control
    // that takes it.
    void Show(HWND first = nullptr);

    // Gives `control` the focus now, and whenever the window is activated again.
    void Focus(HWND control);

    // What the message loop does before dispatching a message: the mouse wheel goes to the
    // window under the mouse (as Windows 10 has it), and the window a key is for takes its
    // shortcuts (TakeKey), then Tab and the arrow keys between its controls. True when the
    // message was handled so.
    static bool PreTranslate(MSG& message);

  protected:
    // A companion window (the graph window) does not keep the program running.
    enum class Role { Main, Companion };

    explicit TopWindow(Role role);
    virtual ~TopWindow();

    // Makes the window, hidden, in the default place; the object is deleted when the window is
    // destroyed.
    void Create(std::string_view caption, DWORD style);

    // The window's own messages; what it leaves goes to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Places the controls and sizes the window for `dpi` dots per inch.
    virtual void LayOut(UINT dpi) = 0;

    // A key pressed (WM_KEYDOWN) in the window, wherever its focus is, before the control with
    // the focus sees it: true when the window took it as a shortcut of its own.
    virtual bool TakeKey(const MSG& key);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CommonMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    Role role_;
    HWND focus_ = nullptr;
};

// Dispatches the messages of the program's windows until the last main window is destroyed;
// the program's exit code.
int RunMessageLoop();

// The number of main windows open.
int OpenMainWindows();

}  // namespace walkconv::win32
