#include "app/window_tables.h"

#include <array>
#include <cstdlib>

namespace walkconv::app {

namespace {

constexpr std::array kChooserControls{
    ControlSpec{"Option1", ControlKind::OptionButton, "Convert a Walk file to a Sailorpoints file",
                360, 240, 3255, 495},
    ControlSpec{"Option2", ControlKind::OptionButton, "Convert a Sailorpoints file to a Walk file",
                360, 840, 3255, 495},
    ControlSpec{"Command1", ControlKind::Button, "OK", 1320, 1560, 1095, 615},
};

constexpr std::array kWalkToSailorpointsControls{
    ControlSpec{"Text1", ControlKind::TextBox, "", 600, 600, 4575, 285},
    ControlSpec{"Command1", ControlKind::Button, "Analyse", 600, 1320, 1695, 735},
    ControlSpec{"Command2", ControlKind::Button, "...", 5400, 480, 375, 375},
    ControlSpec{"Label1", ControlKind::Label, "Choose input Walk file:", 600, 240, 3375, 255},
    ControlSpec{"Command3", ControlKind::Button, "Convert!", 2280, 2520, 1695, 735},
    ControlSpec{"Label2", ControlKind::Label, "", 2640, 1200, 3135, 975},
    ControlSpec{"Command4", ControlKind::Button, "Show graph", 4320, 2520, 1455, 735},
};

constexpr std::array kSailorpointsToWalkControls{
    ControlSpec{"Text1", ControlKind::TextBox, "", 600, 600, 4575, 285},
    ControlSpec{"Command1", ControlKind::Button, "Analyse", 600, 1320, 1695, 735},
    ControlSpec{"Command3", ControlKind::Button, "Convert!", 2280, 3480, 1695, 735},
    ControlSpec{"Label2", ControlKind::Label, "", 2640, 1200, 3135, 975},
    ControlSpec{"Command2", ControlKind::Button, "...", 5400, 480, 375, 375},
    ControlSpec{"Label1", ControlKind::Label, "Choose input Sailorpoints file:", 600, 240, 3375,
                255},
    ControlSpec{"Label3", ControlKind::Label, "Output model name:", 600, 2520, 2175, 255},
    ControlSpec{"Text2", ControlKind::TextBox, "", 600, 2880, 2655, 285},
    ControlSpec{"Command4", ControlKind::Button, "Show graph", 4320, 3480, 1455, 735},
};

constexpr WindowSpec kChooser{"Form3", "Walk files converter - v.beta2", 3780, 2445,
                              kChooserControls};
constexpr WindowSpec kWalkToSailorpoints{"Form1", "Walk to Sailorpoints converter - v.beta2", 6285,
                                         3720, kWalkToSailorpointsControls};
constexpr WindowSpec kSailorpointsToWalk{"Form2", "Sailorpoints to Walk converter - v.beta2", 6285,
                                         4530, kSailorpointsToWalkControls};

constexpr std::array kWalkSourceFilters{
    FileFilter{"C files (*.c)", "*.c"},
    FileFilter{"All files (*.)", "*"},
};
constexpr std::array kSailorpointsFilters{
    FileFilter{"INI files (*.ini)", "*.ini"},
    FileFilter{"All files (*.)", "*"},
};
constexpr std::array kPictureFilters{
    FileFilter{"PNG image (*.png)", "*.png"},
    FileFilter{"SVG picture (*.svg)", "*.svg"},
};

constexpr std::array kWalkSourceFirst{
    FileFilter{"C files (*.c)", "*.c"},
    FileFilter{"INI files (*.ini)", "*.ini"},
};
constexpr std::array kSailorpointsFirst{
    FileFilter{"INI files (*.ini)", "*.ini"},
    FileFilter{"C files (*.c)", "*.c"},
};

}  // namespace

const WindowSpec& ChooserWindow() {
    return kChooser;
}

const WindowSpec& WalkToSailorpointsWindow() {
    return kWalkToSailorpoints;
}

const WindowSpec& SailorpointsToWalkWindow() {
    return kSailorpointsToWalk;
}

const ControlSpec& Control(const WindowSpec& window, std::string_view name) {
    for (const ControlSpec& control : window.controls) {
        if (control.name == name) {
            return control;
        }
    }
    std::abort();  // the tables and the code that names their controls disagree
}

std::span<const FileFilter> WalkSourceFilters() {
    return kWalkSourceFilters;
}

std::span<const FileFilter> SailorpointsFilters() {
    return kSailorpointsFilters;
}

std::span<const FileFilter> PictureFilters() {
    return kPictureFilters;
}

std::span<const FileFilter> SaveAsFilters(bool walkSourceFirst) {
    if (walkSourceFirst) {
        return kWalkSourceFirst;
    }
    return kSailorpointsFirst;
}

}  // namespace walkconv::app
