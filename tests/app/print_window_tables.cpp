// Prints the windows' tables as JSON, for the real-window tests, which find the controls by
// the places the tables give them:
// {"Form1": {"caption": "...", "size": [W, H], "controls": {"Text1": [L, T, W, H], ...}}, ...}
// in twips.
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "app/window_tables.h"

int main() {
    using walkconv::app::WindowSpec;
    nlohmann::ordered_json tables;
    for (const WindowSpec* window :
         {&walkconv::app::ChooserWindow(), &walkconv::app::WalkToSailorpointsWindow(),
          &walkconv::app::SailorpointsToWalkWindow()}) {
        nlohmann::ordered_json controls = nlohmann::ordered_json::object();
        for (const walkconv::app::ControlSpec& control : window->controls) {
            controls[std::string(control.name)] = {control.left, control.top, control.width,
                                                   control.height};
        }
        tables[std::string(window->name)] = {
            {"caption", std::string(window->caption)},
            {"size", {window->widthTwips, window->heightTwips}},
            {"controls", controls},
        };
    }
    tables["GraphWindow"] = {
        {"size", {walkconv::app::kGraphWindowWidth, walkconv::app::kGraphWindowHeight}}};
    std::cout << tables.dump(2) << '\n';
    return 0;
}
