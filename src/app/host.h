#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "app/model_fields.h"
#include "app/window_tables.h"

// What the windows' behaviour asks of the front-end it runs in: the modal things (file dialogs,
// message boxes and the model dialog) and the folders and texts remembered between runs. Each
// front-end implements it with its toolkit; tests script it.
namespace walkconv::app {

struct FileRequest {
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    std::string fileName;  // the proposed name or path (UTF-8); may be empty
    std::span<const FileFilter> filters;
    // The folder the dialog opens in when `fileName` names none; empty for the working folder.
    std::string folder;
    // Save only: a name typed without an ending gets that of the file type selected ("*.png").
    bool addTypeEnding = false;
};

class Host {
  public:
    virtual ~Host() = default;

    // Shows a modal file dialog; the chosen full path (UTF-8), or nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;

    // Shows a modal message box: the text, one OK button, no icon, the application's title.
    virtual void ShowMessage(std::string_view text) = 0;

    // What the user answers to a question about edits not saved yet.
    enum class Answer { Save, Discard, Cancel };
    // Shows a modal question in a window of its own: `question` as its text, the buttons
    // "Save", "Discard" and "Cancel"; closing it or Escape answers Cancel.
    virtual Answer Ask(std::string_view question) = 0;

    // What the user answers to the question about edits a run left unsaved.
    enum class Restoring { Restore, Discard };
    // Shows a modal question in a window of its own: `question` as its text, the buttons
    // "Restore" and "Discard"; closing it or Escape answers Restore, which loses nothing.
    virtual Restoring AskRestore(std::string_view question) = 0;

    // The folder remembered for a kind of window ("Form1", "GraphWindow"), or empty.
    virtual std::string RememberedFolder(std::string_view windowKind) = 0;
    virtual void RememberFolder(std::string_view windowKind, const std::string& folder) = 0;

    // A text remembered between runs under `key`, which may hold any character (a path), or
    // empty when none is.
    virtual std::string RememberedText(std::string_view key) = 0;
    virtual void RememberText(std::string_view key, const std::string& text) = 0;

    // Shows the modal "Model" dialog of ModelDialogControls() filled with `fields`; the fields
    // as OK leaves them (CheckModelFields found no problem), or nothing for Cancel.
    virtual std::optional<ModelFields> AskModel(const ModelFields& fields) = 0;
};

// The host a window's behaviour is handed: before anything modal shows it lets the window show
// its latest state, then hands every request on to the host the window was given when it was
// made, or else to the window's own (made over the window, once it exists).
class WindowHost : public Host {
  public:
    WindowHost(Host* given, std::function<void()> beforeModal)
        : given_(given), beforeModal_(std::move(beforeModal)) {}
    // The window's own host, used when none was given.
    void SetOwn(std::unique_ptr<Host> own) { own_ = std::move(own); }
    // The host given to the window, for the windows it makes in turn.
    Host* Given() const { return given_; }

    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    void ShowMessage(std::string_view text) override;
    Answer Ask(std::string_view question) override;
    Restoring AskRestore(std::string_view question) override;
    std::string RememberedFolder(std::string_view windowKind) override;
    void RememberFolder(std::string_view windowKind, const std::string& folder) override;
    std::string RememberedText(std::string_view key) override;
    void RememberText(std::string_view key, const std::string& text) override;
    std::optional<ModelFields> AskModel(const ModelFields& fields) override;

  private:
    Host& Target();
    void BeforeModal();

    Host* given_;
    std::unique_ptr<Host> own_;
    std::function<void()> beforeModal_;
};

// A file dialog of a window: proposes `request.fileName` in the folder last remembered for
// `windowKind` (when it still exists), and remembers the folder of the file chosen.
std::optional<std::string> ChooseFileFor(Host& host, std::string_view windowKind,
                                         FileRequest request);

// The name chosen in a save dialog with the ending of the file type selected there (the index
// `type` into `request.filters`) when `request.addTypeEnding` asks for one and the name has
// none: "chart" saved as "PNG image (*.png)" gives "chart.png"; a type of "*" adds nothing.
std::string WithTypeEnding(const FileRequest& request, std::size_t type, std::string chosen);

}  // namespace walkconv::app
