#pragma once

#include <QWidget>

#include "app/chooser.h"
#include "app/host.h"

class QPushButton;
class QRadioButton;

namespace walkconv::qt {

// The direction chooser shown at start (Form3): pick a direction, press OK, and the converter
// window of that direction replaces it.
class ChooserWindow : public QWidget {
    Q_OBJECT

  public:
    // `host`: the dialogs of the windows it opens, or none for their own.
    explicit ChooserWindow(app::Host* host = nullptr);

  private:
    void Ok();
    void Render();

    app::Chooser chooser_;
    QRadioButton* option1_;
    QRadioButton* option2_;
    app::Host* host_;
};

}  // namespace walkconv::qt
