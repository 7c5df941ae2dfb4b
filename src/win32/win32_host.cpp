#include "win32/win32_host.h"

#include <algorithm>
#include <utility>

#include "core/messages.h"
#include "win32/model_dialog.h"
#include "win32/wide_text.h"

namespace walkconv::win32 {

namespace {

// Room for the longest path Windows takes.
constexpr std::size_t kPathRoom = 32768;

// The program's other windows disabled while a dialog or message box is open, as the owner
// is: the dialog is modal to the whole program, so that no window goes away or changes under
// it (closing the converter window would take its graph window, and the dialog's owner, along).
class ProgramModal {
  public:
    explicit ProgramModal(HWND owner) : owner_(owner) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
    }
    ~ProgramModal() {
        for (const HWND window : disabled_) {
            EnableWindow(window, TRUE);
        }
    }
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

  private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self) {
        auto* modal = reinterpret_cast<ProgramModal*>(self);
        if (window != modal->owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            modal->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND owner_;
    std::vector<HWND> disabled_;
};

// The text of the string value `name` under `key` of HKEY_CURRENT_USER, or empty.
std::string ReadText(const wchar_t* key, std::string_view name) {
    const std::wstring wideName = Widen(name);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, wideName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
        return {};
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key, wideName.c_str(), RRF_RT_REG_SZ, nullptr, text.data(),
                     &bytes) != ERROR_SUCCESS) {
        return {};
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Narrow(text);
}

// Sets the string value `name` under `key` of HKEY_CURRENT_USER. Not remembering loses nothing
// but the convenience: a failure goes unsaid.
void WriteText(const wchar_t* key, std::string_view name, const std::string& text) {
    const std::wstring value = Widen(text);
    RegSetKeyValueW(HKEY_CURRENT_USER, key, Widen(name).c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

void PrepareFileDialog(const app::FileRequest& request, HWND owner, FileDialogSetup& setup) {
    setup.filter.clear();
    for (const app::FileFilter& filter : request.filters) {
        setup.filter += Widen(filter.description);
        setup.filter += L'\0';
        setup.filter += Widen(filter.pattern);
        setup.filter += L'\0';
    }
    setup.filter += L'\0';
    const std::wstring proposed = Widen(request.fileName);
    setup.file.assign(kPathRoom, L'\0');
    std::copy_n(proposed.begin(), std::min(proposed.size(), kPathRoom - 1), setup.file.begin());
    setup.folder = Widen(request.folder);

    OPENFILENAMEW& dialog = setup.dialog;
    dialog = OPENFILENAMEW{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = setup.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = setup.file.data();
    dialog.nMaxFile = static_cast<DWORD>(setup.file.size());
    dialog.lpstrInitialDir = setup.folder.empty() ? nullptr : setup.folder.c_str();
    // No flag that asks for an existing file, nor one that asks before replacing one; the
    // working folder stays where it was, for paths typed relative to it.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
}

void PrepareQuestion(std::string_view question, HWND owner, QuestionSetup& setup) {
    setup.text = Widen(question);
    setup.title = Widen(kApplicationTitle);
    setup.buttons = {TASKDIALOG_BUTTON{QuestionSetup::kSaveId, L"Save"},
                     TASKDIALOG_BUTTON{QuestionSetup::kDiscardId, L"Discard"},
                     TASKDIALOG_BUTTON{QuestionSetup::kCancelId, L"Cancel"}};
    TASKDIALOGCONFIG& dialog = setup.dialog;
    dialog = TASKDIALOGCONFIG{};
    dialog.cbSize = sizeof dialog;
    dialog.hwndParent = owner;
    dialog.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    dialog.pszWindowTitle = setup.title.c_str();
    dialog.pszMainInstruction = setup.text.c_str();
    dialog.cButtons = static_cast<UINT>(setup.buttons.size());
    dialog.pButtons = setup.buttons.data();
    dialog.nDefaultButton = QuestionSetup::kSaveId;
}

void PrepareRestoreQuestion(std::string_view question, HWND owner, QuestionSetup& setup) {
    PrepareQuestion(question, owner, setup);
    setup.buttons[0] = TASKDIALOG_BUTTON{kRestoreId, L"Restore"};
    setup.buttons[1] = TASKDIALOG_BUTTON{QuestionSetup::kDiscardId, L"Discard"};
    setup.dialog.cButtons = 2;
    setup.dialog.nDefaultButton = kRestoreId;
}

app::Host::Answer AnswerOf(int button) {
    switch (button) {
        case QuestionSetup::kSaveId:
            return app::Host::Answer::Save;
        case QuestionSetup::kDiscardId:
            return app::Host::Answer::Discard;
        default:
            return app::Host::Answer::Cancel;
    }
}

std::optional<std::string> Win32Host::ChooseFile(const app::FileRequest& request) {
    FileDialogSetup setup;
    PrepareFileDialog(request, owner_, setup);
    const bool save = request.mode == app::FileRequest::Mode::Save;
    const ProgramModal modal(owner_);
    if ((save ? GetSaveFileNameW(&setup.dialog) : GetOpenFileNameW(&setup.dialog)) == 0) {
        return std::nullopt;  // cancelled, or the dialog failed: nothing chosen either way
    }
    const std::size_t type = setup.dialog.nFilterIndex > 0 ? setup.dialog.nFilterIndex - 1 : 0;
    return app::WithTypeEnding(request, type, Narrow(setup.file.data()));
}

void Win32Host::ShowMessage(std::string_view text) {
    const ProgramModal modal(owner_);
    MessageBoxW(owner_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK);
}

app::Host::Answer Win32Host::Ask(std::string_view question) {
    QuestionSetup setup;
    PrepareQuestion(question, owner_, setup);
    const ProgramModal modal(owner_);
    int pressed = QuestionSetup::kCancelId;
    if (FAILED(TaskDialogIndirect(&setup.dialog, &pressed, nullptr, nullptr))) {
        return Answer::Cancel;  // no question shown: nothing may go unasked
    }
    return AnswerOf(pressed);
}

app::Host::Restoring Win32Host::AskRestore(std::string_view question) {
    QuestionSetup setup;
    PrepareRestoreQuestion(question, owner_, setup);
    const ProgramModal modal(owner_);
    int pressed = kRestoreId;
    if (FAILED(TaskDialogIndirect(&setup.dialog, &pressed, nullptr, nullptr))) {
        return Restoring::Restore;  // no question shown: nothing may be thrown away unasked
    }
    return pressed == QuestionSetup::kDiscardId ? Restoring::Discard : Restoring::Restore;
}

std::string Win32Host::RememberedFolder(std::string_view windowKind) {
    return ReadText(kFoldersKey, windowKind);
}

void Win32Host::RememberFolder(std::string_view windowKind, const std::string& folder) {
    WriteText(kFoldersKey, windowKind, folder);
}

std::string Win32Host::RememberedText(std::string_view key) {
    return ReadText(kTextsKey, key);
}

void Win32Host::RememberText(std::string_view key, const std::string& text) {
    WriteText(kTextsKey, key, text);
}

std::optional<app::ModelFields> Win32Host::AskModel(const app::ModelFields& fields) {
    const ProgramModal modal(owner_);
    return ShowModelDialog(owner_, fields);
}

}  // namespace walkconv::win32
