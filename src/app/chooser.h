#pragma once

#include <optional>

#include "app/direction.h"

namespace walkconv::app {

// What the direction chooser shows: which option button is selected, if any.
struct ChooserView {
    bool option1 = false;  // "Convert a Walk file to a Sailorpoints file"
    bool option2 = false;  // "Convert a Sailorpoints file to a Walk file"

    friend bool operator==(const ChooserView&, const ChooserView&) = default;
};

// The behaviour of the direction chooser: the two option buttons exclude each other, neither is
// selected at first, and OK gives the direction chosen (the front-end then opens its converter
// window and closes the chooser), or nothing while no option is selected.
class Chooser {
  public:
    const ChooserView& View() const { return view_; }

    void SelectOption1();
    void SelectOption2();
    std::optional<const Direction*> Ok() const;

  private:
    ChooserView view_;
};

}  // namespace walkconv::app
