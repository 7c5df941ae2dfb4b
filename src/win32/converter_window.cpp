#include "win32/converter_window.h"

#include <shellapi.h>

#include <memory>
#include <vector>

#include "app/placement.h"
#include "win32/graph_window.h"
#include "win32/wide_text.h"
#include "win32/window_style.h"

namespace walkconv::win32 {

namespace {

// Writes the journal of unsaved edits when due: at most a second after they were made.
constexpr UINT_PTR kJournalTimer = 1;

}  // namespace

ConverterWindow::ConverterWindow(const app::Direction& direction, app::Host* host)
    : TableWindow(direction.window), converter_(direction), host_(host, [this] { Render(); }) {}

ConverterWindow& ConverterWindow::Open(const app::Direction& direction, app::Host* host) {
    auto* window = new ConverterWindow(direction, host);
    window->Create();
    window->host_.SetOwn(std::make_unique<Win32Host>(window->Handle()));
    DragAcceptFiles(window->Handle(), TRUE);
    SetTimer(window->Handle(), kJournalTimer, 1000, nullptr);
    window->Render();
    window->ShowFirst();
    return *window;
}

void ConverterWindow::OpenFile(const std::string& path) {
    converter_.Open(path, host_);
    Render();
}

void ConverterWindow::Restore(const app::Journal& journal) {
    converter_.Restore(journal, host_);
    Render();
}

LRESULT ConverterWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kJournalTimer) {
                converter_.FlushJournal();
                return 0;
            }
            return TableWindow::HandleMessage(message, wParam, lParam);
        case WM_COMMAND:
            Command(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DROPFILES:
            Dropped(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_CLOSE:
            // Unsaved edits of the graph are asked about first; Cancel keeps the window.
            if (converter_.Close(host_)) {
                DestroyWindow(Handle());  // deletes this object
            } else {
                Render();
            }
            return 0;
        case WM_DESTROY:
            KillTimer(Handle(), kJournalTimer);
            if (graph_ != nullptr) {
                graph_->onChanged = nullptr;
                graph_->onClose = nullptr;
                DestroyWindow(graph_->Handle());
                graph_ = nullptr;
            }
            return 0;
        default:
            return TableWindow::HandleMessage(message, wParam, lParam);
    }
}

void ConverterWindow::Command(HWND control, int id, int notification) {
    const std::string_view name = ControlName(Spec(), id);
    if (control == nullptr || name.empty()) {
        return;  // Enter and Escape (IDOK, IDCANCEL) among them: they trigger nothing
    }
    if (notification == EN_CHANGE) {
        if (rendering_) {
            return;
        }
        if (name == "Text1") {
            converter_.TypeInputPath(WindowText(control));
        } else if (name == "Text2") {
            converter_.TypeModelName(WindowText(control));
        }
        return;
    }
    if (notification != BN_CLICKED) {
        return;
    }
    if (name == "Command1") {
        converter_.Analyse(host_);
    } else if (name == "Command2") {
        converter_.Browse(host_);
    } else if (name == "Command3") {
        converter_.Convert(host_);
    } else if (name == "Command4") {
        ShowGraph();
        return;
    }
    Render();
}

void ConverterWindow::Dropped(HDROP drop) {
    // Only the first file counts.
    std::vector<std::string> files;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        std::wstring name(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
        const UINT length = DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size()));
        name.resize(length);
        files.push_back(Narrow(name));
    }
    DragFinish(drop);
    converter_.Drop(files, host_);
    Render();
}

void ConverterWindow::ShowGraph() {
    converter_.ShowGraph();
    Render();
    if (graph_ != nullptr && IsWindowVisible(graph_->Handle())) {
        SetForegroundWindow(graph_->Handle());
    }
}

void ConverterWindow::Render() {
    const app::ConverterView& view = converter_.View();
    rendering_ = true;
    const HWND focus = GetFocus();
    const auto setText = [](HWND control, const std::string& text) {
        if (control != nullptr && WindowText(control) != text) {
            SetText(control, text);
        }
    };
    setText(Control("Text1"), view.text1);
    setText(Control("Label2"), view.label2);
    if (converter_.direction().namesOutput) {
        EnableWindow(Control("Text2"), view.text2Enabled ? TRUE : FALSE);
        setText(Control("Text2"), view.text2);
    }
    EnableWindow(Control("Command3"), view.command3Enabled ? TRUE : FALSE);
    EnableWindow(Control("Command4"), view.command4Enabled ? TRUE : FALSE);
    rendering_ = false;
    // A control disabled while it had the focus hands it on, as Tab would.
    if (focus != nullptr && IsChild(Handle(), focus) && !IsWindowEnabled(focus)) {
        Focus(GetNextDlgTabItem(Handle(), focus, FALSE));
    }
    RenderGraph();
}

void ConverterWindow::RenderGraph() {
    const app::ConverterView& view = converter_.View();
    if (view.graphShown && converter_.Graph().Content() != nullptr) {
        if (graph_ == nullptr) {
            graph_ = &GraphWindow::Make(converter_.Graph(), host_.Given());
            // What the graph window does may change this window too: a save has the file
            // analysed again.
            graph_->onChanged = [this] {
                converter_.FollowGraph(host_);
                Render();
            };
            graph_->onClose = [this](app::Host& host) {
                converter_.CloseGraph(host);
                Render();
            };
            const app::ScreenRect frame = FrameOf(graph_->Handle());
            const app::ScreenPosition place = app::PlaceBeside(FrameOf(Handle()), frame.width,
                                                               frame.height, WorkAreaOf(Handle()));
            SetWindowPos(graph_->Handle(), nullptr, place.x, place.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        graph_->Render();
        if (!IsWindowVisible(graph_->Handle())) {
            graph_->Show();
        }
    } else if (graph_ != nullptr && IsWindowVisible(graph_->Handle())) {
        ShowWindow(graph_->Handle(), SW_HIDE);
    }
}

}  // namespace walkconv::win32
