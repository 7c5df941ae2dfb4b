#pragma once

#include <windows.h>

#include "app/chooser.h"
#include "app/host.h"
#include "win32/table_window.h"

namespace walkconv::win32 {

// The direction chooser shown at start (Form3): pick a direction, press OK, and the converter
// window of that direction replaces it.
class ChooserWindow : public TableWindow {
  public:
    // Makes the chooser in the middle of the screen and shows it, active, with the focus on
    // Option1 and neither option selected. The window deletes itself when destroyed.
    // `host` takes the dialogs of the windows it opens; none: their own.
    static ChooserWindow& Open(app::Host* host = nullptr);

    const app::Chooser& Behaviour() const { return chooser_; }

  private:
    explicit ChooserWindow(app::Host* host);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Ok();
    void Render();

    app::Chooser chooser_;
    app::Host* host_;
};

}  // namespace walkconv::win32
