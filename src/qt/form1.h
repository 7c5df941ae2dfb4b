#pragma once

#include "gui/converter_window.h"

namespace walkconv::ui {

// The walk source to sailorpoints window: browse or type a walk source, Analyse, Convert!.
class Form1 : public ConverterWindow {
    Q_OBJECT

  public:
    explicit Form1();

  private:
    void Command1_Click();  // Analyse
    void Command2_Click();  // browse
    void Command3_Click();  // Convert!
};

}  // namespace walkconv::ui
