#include "app/graph_controls.h"

#include <array>

namespace walkconv::app {

namespace {

using Kind = ControlKind;
using Command = GraphCommand;

constexpr std::array kGraphControls{
    GraphControl{"PointLabel", Kind::Label, "Point", Command::None, 0},
    GraphControl{"PointNumber", Kind::TextBox, "", Command::EnterNumber, 0},
    GraphControl{"XLabel", Kind::Label, "X", Command::None, 1},
    GraphControl{"X", Kind::TextBox, "", Command::EnterX, 1},
    GraphControl{"YLabel", Kind::Label, "Y", Command::None, 2},
    GraphControl{"Y", Kind::TextBox, "", Command::EnterY, 2},
    GraphControl{"ZLabel", Kind::Label, "Z", Command::None, 3},
    GraphControl{"Z", Kind::TextBox, "", Command::EnterZ, 3},
    GraphControl{"TypeLabel", Kind::Label, "Type", Command::None, 4},
    GraphControl{"Type", Kind::TextBox, "", Command::EnterType, 4},
    GraphControl{"LinkToLabel", Kind::Label, "Link to", Command::None, 5},
    GraphControl{"LinkTo", Kind::TextBox, "", Command::EnterLinkTo, 5},
    GraphControl{"SelectionText", Kind::Label, "", Command::None, 6},
    GraphControl{"AddPoint", Kind::Button, "Add point", Command::AddPoint, 7},
    GraphControl{"DropToDeck", Kind::Button, "Drop to deck", Command::DropToDeck, 7},
    GraphControl{"Mirror", Kind::Button, "Mirror", Command::Mirror, 8},
    GraphControl{"FindingsLabel", Kind::Label, kFindingsCaption, Command::None, 9},
    GraphControl{"FindingList", Kind::List, "", Command::SelectFinding, 10},
    GraphControl{"Fix", Kind::Button, "Fix", Command::Fix, 11},
    GraphControl{"FixAll", Kind::Button, "Fix all", Command::FixAll, 11},
    GraphControl{"Save", Kind::Button, "Save", Command::Save, 12},
    GraphControl{"SaveAs", Kind::Button, "Save as\u2026", Command::SaveAs, 12},
    GraphControl{"SavePicture", Kind::Button, kSavePictureCaption, Command::SavePicture, 13},
    GraphControl{"Model", Kind::Button, "Model\u2026", Command::ChooseModel, 14},
    GraphControl{"SameScale", Kind::CheckBox, "Same scale", Command::SameScale, 15},
};

}  // namespace

std::span<const GraphControl> GraphControls() {
    return kGraphControls;
}

std::vector<ControlRow> GraphControlRows() {
    std::vector<ControlRow> rows;
    for (std::size_t i = 0; i < kGraphControls.size(); ++i) {
        if (i > 0 && kGraphControls[i].row == kGraphControls[i - 1].row) {
            rows.back().count++;
        } else {
            rows.push_back({i, 1});
        }
    }
    return rows;
}

std::optional<std::size_t> GraphControlIndex(std::string_view name) {
    for (std::size_t i = 0; i < kGraphControls.size(); ++i) {
        if (kGraphControls[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> GraphControlIndex(GraphCommand command) {
    for (std::size_t i = 0; i < kGraphControls.size(); ++i) {
        if (kGraphControls[i].command == command) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace walkconv::app
