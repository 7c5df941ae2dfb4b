#pragma once

#include <QWidget>

#include "app/chooser.h"

class QPushButton;
class QRadioButton;

namespace walkconv::qt {

// The direction chooser shown at start (Form3): pick a direction, press OK, and the converter
// window of that direction replaces it.
class ChooserWindow : public QWidget {
    Q_OBJECT

  public:
    ChooserWindow();

  private:
    void Ok();
    void Render();

    app::Chooser chooser_;
    QRadioButton* option1_;
    QRadioButton* option2_;
};

}  // namespace walkconv::qt
