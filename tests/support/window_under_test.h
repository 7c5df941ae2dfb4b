#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <filesystem>
#include <memory>

#include "gui/common_dialog.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace walkconv::testing {

// A converter window shown with the scripted dialog layer in place and an empty folder for its
// files, and the few steps every window test takes.
template <typename Form>
class WindowUnderTest {
  public:
    WindowUnderTest() : form(std::make_unique<Form>()) { form->show(); }

    ScriptedUi ui;
    TempDir dir;
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
