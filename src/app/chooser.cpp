#include "app/chooser.h"

namespace walkconv::app {

void Chooser::SelectOption1() {
    view_ = {.option1 = true, .option2 = false};
}

void Chooser::SelectOption2() {
    view_ = {.option1 = false, .option2 = true};
}

std::optional<const Direction*> Chooser::Ok() const {
    if (view_.option1) {
        return &WalkToSailorpoints();
    }
    if (view_.option2) {
        return &SailorpointsToWalk();
    }
    return std::nullopt;  // no direction chosen yet
}

}  // namespace walkconv::app
