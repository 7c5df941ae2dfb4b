#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QTest>
#include <filesystem>
#include <memory>
#include <utility>

#include "gui/common_dialog.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace walkconv::testing {

// A converter window shown with the scripted dialog layer in place, an empty folder for its
// files and empty user settings of its own, and the few steps every window test takes.
template <typename Form>
class WindowUnderTest {
  public:
    WindowUnderTest() : WindowUnderTest(std::make_unique<Form>()) {}
    explicit WindowUnderTest(std::unique_ptr<Form> window) : form(std::move(window)) {
        UseSettingsIn(settings);
        form->show();
    }

    // Keeps the settings that the windows write (the folders last used) in `folder`, away from
    // the user's own.
    static void UseSettingsIn(const TempDir& folder) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder.path().string()));
    }

    ScriptedUi ui;
    TempDir dir;
    TempDir settings;
    std::unique_ptr<Form> form;

    QLineEdit* Text(const char* name) const { return form->template findChild<QLineEdit*>(name); }
    QLabel* Label(const char* name) const { return form->template findChild<QLabel*>(name); }
    QPushButton* Button(const char* name) const {
        return form->template findChild<QPushButton*>(name);
    }
    ui::CommonDialog* Dialog(const char* name) const {
        return form->template findChild<ui::CommonDialog*>(name);
    }

    static QString Path(const std::filesystem::path& path) {
        return QString::fromStdString(path.string());
    }

    void Click(const char* button) const { QTest::mouseClick(Button(button), Qt::LeftButton); }

    // Analyse with `path` typed into the input box.
    void Analyse(const QString& path) const {
        Text("Text1")->setText(path);
        Click("Command1");
    }

    // Convert! answered with `target` in the save dialog.
    void ConvertTo(const std::filesystem::path& target) {
        ui.fileAnswers.push_back(Path(target));
        Click("Command3");
    }
};

}  // namespace walkconv::testing
