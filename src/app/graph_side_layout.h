#pragma once

#include <functional>
#include <vector>

// The places of the graph window's side column for front-ends that place its controls
// themselves, in rows top to bottom: a label with its field, a label alone, buttons of equal
// width side by side, and the findings list, which takes the height that is left.
namespace walkconv::app {

struct ControlPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The place of each of GraphControls(), in pixels from the top left of a column of `width` by
// `height` pixels; `scaled` turns the column's measures at 96 DPI into pixels.
std::vector<ControlPlace> LayOutGraphSide(int width, int height,
                                          const std::function<int(int)>& scaled);

}  // namespace walkconv::app
