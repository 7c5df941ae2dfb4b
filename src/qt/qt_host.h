#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/host.h"

class QWidget;

namespace walkconv::qt {

// The host of one window: Qt's file dialogs and message boxes over that window, and the folders
// remembered in the user's settings (QSettings, "<kind>/lastFolder").
class QtHost : public app::Host {
  public:
    explicit QtHost(QWidget* window);

    std::optional<std::string> ChooseFile(const app::FileRequest& request) override;
    void ShowMessage(std::string_view text) override;
    Answer Ask(std::string_view question) override;
    Restoring AskRestore(std::string_view question) override;
    std::string RememberedFolder(std::string_view windowKind) override;
    void RememberFolder(std::string_view windowKind, const std::string& folder) override;

  private:
    QWidget* window_;
};

}  // namespace walkconv::qt
