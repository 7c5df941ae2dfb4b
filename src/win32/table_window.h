#pragma once

#include <windows.h>

#include <string_view>

#include "app/window_tables.h"
#include "win32/top_window.h"

namespace walkconv::win32 {

// A window built from its table: its caption, fixed client size and controls in twips, scaled
// to the monitor's DPI, in the system's message font, centred when first shown.
class TableWindow : public TopWindow {
  public:
    const app::WindowSpec& Spec() const { return spec_; }
    HWND Control(std::string_view name) const;

  protected:
    explicit TableWindow(const app::WindowSpec& spec);
    ~TableWindow() override;

    // Makes the window and its controls, hidden, in the middle of the screen.
    void Create();
    // Shows it, active, with the focus on the first control of the table (an option button
    // among them, which takes the focus only by the keyboard's arrows once its group has one).
    void ShowFirst() { Show(Control(spec_.controls.front().name)); }
    void LayOut(UINT dpi) override;

  private:
    const app::WindowSpec& spec_;
    HFONT font_ = nullptr;
};

}  // namespace walkconv::win32
