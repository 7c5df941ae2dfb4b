#pragma once

#include <QWidget>

class QPushButton;
class QRadioButton;

namespace walkconv::ui {

// The mode chooser shown at start: pick a direction, press OK, and the converter window of
// that direction replaces it.
class Form3 : public QWidget {
    Q_OBJECT

  public:
    explicit Form3();

  private:
    void Command1_Click();  // OK

    QRadioButton* Option1;
    QRadioButton* Option2;
    QPushButton* Command1;
};

}  // namespace walkconv::ui
