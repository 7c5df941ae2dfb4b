#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/host.h"

class QWidget;

namespace walkconv::qt {

// The host of one window: Qt's file dialogs, message boxes and the model dialog over that
// window, and the folders and texts remembered in the user's settings (QSettings,
// "<kind>/lastFolder", and "texts/<key>" with the key percent-encoded).
class QtHost : public app::Host {
  public:
    explicit QtHost(QWidget* window);

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
    QWidget* window_;
};

}  // namespace walkconv::qt
