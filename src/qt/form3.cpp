#include "gui/form3.h"

#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "gui/form1.h"
#include "gui/form2.h"
#include "gui/window_style.h"

namespace walkconv::ui {

namespace {

// In tab order; positions and sizes in twips.
constexpr std::array kControls{
    ControlSpec{"Option1", ControlKind::OptionButton, "Convert a Walk file to a Sailorpoints file",
                360, 240, 3255, 495},
    ControlSpec{"Option2", ControlKind::OptionButton, "Convert a Sailorpoints file to a Walk file",
                360, 840, 3255, 495},
    ControlSpec{"Command1", ControlKind::Button, "OK", 1320, 1560, 1095, 615},
};

}  // namespace

Form3::Form3() {
    setObjectName(QStringLiteral("Form3"));
    ApplyWindowStyle(this, QStringLiteral("Walk files converter - v.beta2"), 3780, 2445);
    BuildControls(this, kControls);
    Option1 = findChild<QRadioButton*>(QStringLiteral("Option1"));
    Option2 = findChild<QRadioButton*>(QStringLiteral("Option2"));
    Command1 = findChild<QPushButton*>(QStringLiteral("Command1"));
    Option1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
}

void Form3::Command1_Click() {
    QWidget* converter = nullptr;
    if (Option1->isChecked()) {
        converter = new Form1();
    } else if (Option2->isChecked()) {
        converter = new Form2();
    } else {
        return;  // no direction chosen yet
    }
    // The converter window is shown before the chooser closes, so the program always has a
    // window; from here on closing the converter window ends the program.
    converter->setAttribute(Qt::WA_DeleteOnClose);
    converter->show();
    close();
}

}  // namespace walkconv::ui
