#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/host.h"

class QWidget;

namespace walkconv::qt {

// The host of one window: Qt's file dialogs and message boxes over that window, and the folders
// remembered in the user's settings (QSettings, "<kind>/lastFolder"). Before anything modal
// shows, `beforeModal` lets the window show its latest state. While a ScopedHostOverride is in
// place, everything goes to the host it names instead (tests script the dialogs with it).
class QtHost : public app::Host {
  public:
    explicit QtHost(QWidget* window, std::function<void()> beforeModal = {});

    std::optional<std::string> ChooseFile(const app::FileRequest& request) override;
    void ShowMessage(std::string_view text) override;
    Answer Ask(std::string_view question) override;
    std::string RememberedFolder(std::string_view windowKind) override;
    void RememberFolder(std::string_view windowKind, const std::string& folder) override;

  private:
    QWidget* window_;
    std::function<void()> beforeModal_;
};

// Puts `host` in the place of every window's own host for its lifetime.
class ScopedHostOverride {
  public:
    explicit ScopedHostOverride(app::Host& host);
    ~ScopedHostOverride();
    ScopedHostOverride(const ScopedHostOverride&) = delete;
    ScopedHostOverride& operator=(const ScopedHostOverride&) = delete;

  private:
    app::Host* previous_;
};

}  // namespace walkconv::qt
