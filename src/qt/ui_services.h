#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

class QWidget;

// The one seam between the windows and the modal things they show: file dialogs and message
// boxes. The program uses QtUiServices; tests install a scripted stand-in with ScopedUiServices
// so that every window flow runs headless.
namespace walkconv::ui {

struct FileDialogRequest {
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    QString fileName;                        // proposed name or path; may be empty
    QList<QPair<QString, QString>> filters;  // (description, pattern), the first one selected
    // The folder the dialog opens in when `fileName` names none; empty for the working folder.
    QString folder;
    // Save only: a name typed without an ending gets that of the file type selected ("*.png").
    bool addTypeEnding = false;
};

class UiServices {
  public:
    virtual ~UiServices() = default;

    // Shows a modal file dialog; the chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> ShowFileDialog(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;

    // Shows a modal message box: the text, one OK button, no icon, the application's title.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
};

// The real dialogs: QFileDialog and QMessageBox.
class QtUiServices : public UiServices {
  public:
    std::optional<QString> ShowFileDialog(QWidget* parent,
                                          const FileDialogRequest& request) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
};

// The services the windows use now.
UiServices& CurrentUi();

// Puts `services` in place for its lifetime and restores the previous ones afterwards.
class ScopedUiServices {
  public:
    explicit ScopedUiServices(UiServices& services);
    ~ScopedUiServices();
    ScopedUiServices(const ScopedUiServices&) = delete;
    ScopedUiServices& operator=(const ScopedUiServices&) = delete;

  private:
    UiServices* previous_;
};

}  // namespace walkconv::ui
