#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/host.h"

namespace walkconv::win32 {

// The host of one window: the system's common file dialogs, message boxes, task dialogs and
// the model dialog over that window, and the folders remembered in the registry, one value per
// kind of window under HKEY_CURRENT_USER\Software\walk-converter, and the texts one value per
// key (a value's name may hold any character) under its subkey "Texts".
class Win32Host : public app::Host {
  public:
    static constexpr wchar_t kFoldersKey[] = L"Software\\walk-converter";
    static constexpr wchar_t kTextsKey[] = L"Software\\walk-converter\\Texts";

    explicit Win32Host(HWND owner = nullptr) : owner_(owner) {}

    std::optional<std::string> ChooseFile(const app::FileRequest& request) override;
    void ShowMessage(std::string_view text) override;
    Answer Ask(std::string_view question) override;
    Restoring AskRestore(std::string_view question) override;
    std::string RememberedFolder(std::string_view windowKind) override;
    void RememberFolder(std::string_view windowKind, const std::string& folder) override;
    std::string RememberedText(std::string_view key) override;
    void RememberText(std::string_view key, const std::string& text) override;
    std::optional<app::ModelFields> AskModel(const app::ModelFields& fields) override;

  private:
    HWND owner_ = nullptr;
};

// What GetOpenFileNameW or GetSaveFileNameW is given for a request: the Explorer-style dialog
// without a hook, over `owner`, with the request's file types (the first one selected), its
// proposed name in a buffer as long as a path may be, and its folder.
struct FileDialogSetup {
    std::wstring filter;  // description, NUL, pattern, NUL, ..., NUL
    std::vector<wchar_t> file;
    std::wstring folder;
    OPENFILENAMEW dialog{};
};
void PrepareFileDialog(const app::FileRequest& request, HWND owner, FileDialogSetup& setup);

// What TaskDialogIndirect is given for a question about unsaved edits: the question as its
// text, over `owner`, the buttons "Save", "Discard" and "Cancel" (Save the default), no icon,
// the application's title as caption; Escape and the close box answer Cancel.
struct QuestionSetup {
    static constexpr int kSaveId = 100;
    static constexpr int kDiscardId = 101;
    static constexpr int kCancelId = IDCANCEL;  // what Escape and the close box give, too

    std::wstring text;
    std::wstring title;
    std::array<TASKDIALOG_BUTTON, 3> buttons{};
    TASKDIALOGCONFIG dialog{};
};
void PrepareQuestion(std::string_view question, HWND owner, QuestionSetup& setup);
// The answer of the button pressed in that task dialog.
app::Host::Answer AnswerOf(int button);

// The same for the question about edits a run left unsaved: the buttons "Restore" (the
// default) and "Discard"; Escape and the close box answer Restore.
inline constexpr int kRestoreId = 102;
void PrepareRestoreQuestion(std::string_view question, HWND owner, QuestionSetup& setup);

}  // namespace walkconv::win32
