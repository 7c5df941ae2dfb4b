#pragma once

#include "gui/converter_window.h"

namespace walkconv::ui {

// The sailorpoints to walk source window: browse or type a sailorpoints file, Analyse, edit the
// proposed model name in Text2, Convert!.
class Form2 : public ConverterWindow {
    Q_OBJECT

  public:
    explicit Form2();

  protected:
    void SetReady(bool ready) override;
    void ConversionDone() override;

  private:
    void Command1_Click();  // Analyse
    void Command2_Click();  // browse
    void Command3_Click();  // Convert!

    QLineEdit* Text2;
};

}  // namespace walkconv::ui
