#include "qt/chooser_window.h"

#include <QPushButton>
#include <QRadioButton>

#include "app/window_tables.h"
#include "qt/converter_window.h"
#include "qt/window_style.h"

namespace walkconv::qt {

ChooserWindow::ChooserWindow(app::Host* host) : host_(host) {
    BuildWindow(this, app::ChooserWindow());
    option1_ = findChild<QRadioButton*>(QStringLiteral("Option1"));
    option2_ = findChild<QRadioButton*>(QStringLiteral("Option2"));
    option1_->setFocus();
    connect(option1_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            chooser_.SelectOption1();
        }
        Render();
    });
    connect(option2_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            chooser_.SelectOption2();
        }
        Render();
    });
    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &ChooserWindow::Ok);
}

void ChooserWindow::Render() {
    option1_->setChecked(chooser_.View().option1);
    option2_->setChecked(chooser_.View().option2);
}

void ChooserWindow::Ok() {
    const std::optional<const app::Direction*> direction = chooser_.Ok();
    if (!direction) {
        return;  // no direction chosen yet
    }
    // The converter window is shown before the chooser closes, so the program always has a
    // window; from here on closing the converter window ends the program.
    auto* converter = new ConverterWindow(**direction, host_);
    converter->setAttribute(Qt::WA_DeleteOnClose);
    converter->show();
    close();
}

}  // namespace walkconv::qt
