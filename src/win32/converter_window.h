#pragma once

#include <windows.h>

#include <string>

#include "app/converter.h"
#include "win32/table_window.h"
#include "win32/win32_host.h"

namespace walkconv::win32 {

class GraphWindow;

// A converter window of either direction: the controls of its table, each event forwarded to
// the behaviour (app::Converter), and the behaviour's view shown after each. A file dropped on
// it from Explorer is forwarded too. Its graph window edits the converter's graph; closing
// either window with unsaved edits asks about them first.
class ConverterWindow : public TableWindow {
  public:
    // Makes the window of `direction` in the middle of the screen and shows it, active, with
    // the focus in Text1. The window deletes itself when destroyed.
    // `host` takes its dialogs and those of its graph window; none: a Win32Host over each.
    static ConverterWindow& Open(const app::Direction& direction, app::Host* host = nullptr);

    const app::Converter& Behaviour() const { return converter_; }
    // The graph window, once Show graph has made it; it may be hidden.
    GraphWindow* Graph() const { return graph_; }

    // Opens `path` as given at start: into the input box, then Analyse.
    void OpenFile(const std::string& path);
    // Opens the file of `journal` with its graph made again from it, as app::Converter does.
    void Restore(const app::Journal& journal);

  private:
    ConverterWindow(const app::Direction& direction, app::Host* host);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Command(HWND control, int id, int notification);
    void Dropped(HDROP drop);
    void ShowGraph();
    // Sets every control, and the graph window, from the behaviour's view.
    void Render();
    void RenderGraph();

    app::Converter converter_;
    app::WindowHost host_;
    GraphWindow* graph_ = nullptr;  // destroyed with this window
    bool rendering_ = false;        // the controls are being set, not typed into
};

}  // namespace walkconv::win32
