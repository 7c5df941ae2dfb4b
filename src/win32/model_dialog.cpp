#include "win32/model_dialog.h"

#include <span>
#include <vector>

#include "app/model_dialog.h"
#include "win32/wide_text.h"
#include "win32/win32_host.h"
#include "win32/window_style.h"

namespace walkconv::win32 {

namespace {

using app::ControlKind;
using app::ModelControl;
using app::ModelPart;

// Measures at 96 DPI, in pixels.
constexpr int kDialogWidth = 480;
constexpr int kDialogMargin = 12;
constexpr int kDialogGap = 6;
constexpr int kRowHeight = 24;
constexpr int kLabelWidth = 90;
constexpr int kButtonWidth = 80;
constexpr int kFieldWidth = 140;
constexpr int kOptionWidth = 60;

struct DialogState {
    app::ModelFields fields;
    void (*onShown)(HWND) = nullptr;
    HFONT font = nullptr;
};

std::span<const ModelControl> Controls() {
    return app::ModelDialogControls();
}

HWND ControlOf(HWND dialog, ModelPart part) {
    const std::span<const ModelControl> controls = Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].part == part) {
            return GetDlgItem(dialog, ModelControlId(i));
        }
    }
    return nullptr;
}

// A dialog template without controls: the controls come from the table once it exists.
std::vector<WORD> EmptyTemplate() {
    std::vector<WORD> words;
    const auto dword = [&](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    dword(0);            // extended style
    words.push_back(0);  // controls
    for (int i = 0; i < 4; ++i) {
        words.push_back(0);  // place and size, set when the dialog starts
    }
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    for (const wchar_t c : Widen(app::kModelDialogCaption)) {
        words.push_back(c);
    }
    words.push_back(0);
    return words;
}

void Create(HWND dialog) {
    const std::span<const ModelControl> controls = Controls();
    bool firstOption = true;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ModelControl& control = controls[i];
        const int id = ModelControlId(i);
        if (control.part == ModelPart::Ok || control.part == ModelPart::Cancel) {
            const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP |
                                (control.part == ModelPart::Ok ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            CreateWindowExW(0, L"BUTTON", Widen(control.caption).c_str(), style, 0, 0, 0, 0, dialog,
                            reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr),
                            nullptr);
            continue;
        }
        // The option buttons form one group, begun by the first of them.
        const bool option = control.kind == ControlKind::OptionButton;
        CreateControl(dialog, control.kind, control.caption, id,
                      option ? firstOption : control.kind != ControlKind::Label);
        firstOption = firstOption && !option;
    }
}

// A row that begins with a label holds it at the left and the rest after it; a field beside
// buttons takes the width they leave; OK and Cancel stand at the right.
void LayOut(HWND dialog, UINT dpi, HFONT font) {
    const auto px = [dpi](int pixels) { return ScalePixels(pixels, dpi); };
    const std::span<const ModelControl> controls = Controls();
    int top = kDialogMargin;
    std::size_t i = 0;
    while (i < controls.size()) {
        std::size_t end = i;
        int fixed = 0;  // the width of the row's controls but a stretching field
        bool stretches = false;
        while (end < controls.size() && controls[end].row == controls[i].row) {
            ++end;
        }
        const auto widthOf = [&](const ModelControl& control) {
            switch (control.kind) {
                case ControlKind::Button:
                    return kButtonWidth;
                case ControlKind::OptionButton:
                    return kOptionWidth;
                case ControlKind::TextBox:
                    return stretches ? 0 : kFieldWidth;
                default:
                    return kDialogWidth - 2 * kDialogMargin;
            }
        };
        for (std::size_t j = i; j < end; ++j) {
            stretches = stretches || (controls[j].kind == ControlKind::TextBox && end - i > 1 &&
                                      controls[i].kind != ControlKind::Label);
        }
        int left = kDialogMargin;
        if (controls[i].kind == ControlKind::Label && end - i > 1) {
            SetWindowPos(GetDlgItem(dialog, ModelControlId(i)), nullptr, px(left), px(top + 4),
                         px(kLabelWidth), px(kRowHeight - 4), SWP_NOZORDER);
            left += kLabelWidth + kDialogGap;
            ++i;
        }
        for (std::size_t j = i; j < end; ++j) {
            fixed += widthOf(controls[j]) + kDialogGap;
        }
        if (controls[i].part == ModelPart::Ok) {
            left = kDialogWidth - kDialogMargin - fixed + kDialogGap;
        }
        for (; i < end; ++i) {
            int width = widthOf(controls[i]);
            if (width == 0) {
                width = kDialogWidth - kDialogMargin - left - fixed + kDialogGap;
            }
            SetWindowPos(GetDlgItem(dialog, ModelControlId(i)), nullptr, px(left), px(top),
                         px(width), px(kRowHeight - 2), SWP_NOZORDER);
            left += width + kDialogGap;
        }
        top += kRowHeight + kDialogGap;
    }
    for (std::size_t j = 0; j < controls.size(); ++j) {
        SendMessageW(GetDlgItem(dialog, ModelControlId(j)), WM_SETFONT,
                     reinterpret_cast<WPARAM>(font), TRUE);
    }
    SetClientSize(dialog, px(kDialogWidth), px(top + kDialogMargin - kDialogGap), dpi);
}

void Show(HWND dialog, app::ModelFields fields) {
    const std::span<const ModelControl> controls = Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (const std::string* text = app::FieldText(fields, controls[i].part)) {
            SetText(GetDlgItem(dialog, ModelControlId(i)), *text);
        }
    }
    const HWND checked =
        ControlOf(dialog, fields.up == UpAxis::Z ? ModelPart::UpZ : ModelPart::UpY);
    SendMessageW(checked, BM_SETCHECK, BST_CHECKED, 0);
}

app::ModelFields Taken(HWND dialog) {
    app::ModelFields fields;
    const std::span<const ModelControl> controls = Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (std::string* text = app::FieldText(fields, controls[i].part)) {
            *text = WindowText(GetDlgItem(dialog, ModelControlId(i)));
        }
    }
    const bool z =
        SendMessageW(ControlOf(dialog, ModelPart::UpZ), BM_GETCHECK, 0, 0) == BST_CHECKED;
    fields.up = z ? UpAxis::Z : UpAxis::Y;
    return fields;
}

void Pressed(HWND dialog, DialogState& state, ModelPart part) {
    const HWND file = ControlOf(dialog, ModelPart::File);
    Win32Host host(dialog);
    switch (part) {
        case ModelPart::Browse:
            if (const auto chosen = app::BrowseModelFile(host, WindowText(file))) {
                SetText(file, *chosen);
            }
            return;
        case ModelPart::NoModel:
            SetText(file, "");
            return;
        case ModelPart::Ok: {
            state.fields = Taken(dialog);
            const app::CheckedFields checked = app::CheckModelFields(state.fields);
            if (!checked.choice) {
                host.ShowMessage(checked.problem);
                return;
            }
            EndDialog(dialog, IDOK);
            return;
        }
        case ModelPart::Cancel:
            EndDialog(dialog, IDCANCEL);
            return;
        default:
            return;
    }
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            state = reinterpret_cast<DialogState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const UINT dpi = GetDpiForWindow(dialog);
            state->font = CreateMessageFont(dpi);
            Create(dialog);
            LayOut(dialog, dpi, state->font);
            Show(dialog, state->fields);
            CentreOnItsMonitor(dialog);
            SetFocus(ControlOf(dialog, ModelPart::File));
            if (state->onShown != nullptr) {
                PostMessageW(dialog, WM_APP, 0, 0);
            }
            return FALSE;  // the focus is set
        }
        case WM_APP:
            state->onShown(dialog);
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const std::span<const ModelControl> controls = Controls();
            for (std::size_t i = 0; i < controls.size(); ++i) {
                if (ModelControlId(i) == id && HIWORD(wParam) == BN_CLICKED) {
                    Pressed(dialog, *state, controls[i].part);
                    return TRUE;
                }
            }
            return FALSE;
        }
        case WM_DESTROY:
            if (state != nullptr && state->font != nullptr) {
                DeleteObject(state->font);
                state->font = nullptr;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int ModelControlId(std::size_t index) {
    switch (Controls()[index].part) {
        case ModelPart::Ok:
            return IDOK;
        case ModelPart::Cancel:
            return IDCANCEL;
        default:
            return kFirstControlId + static_cast<int>(index);
    }
}

std::optional<app::ModelFields> ShowModelDialog(HWND owner, const app::ModelFields& fields,
                                                void (*onShown)(HWND)) {
    DialogState state{fields, onShown, nullptr};
    const std::vector<WORD> dialogTemplate = EmptyTemplate();
    const INT_PTR ended = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
        owner, DialogProcedure, reinterpret_cast<LPARAM>(&state));
    if (ended != IDOK) {
        return std::nullopt;
    }
    return state.fields;
}

}  // namespace walkconv::win32
