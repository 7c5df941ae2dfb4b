#include "app/graph_side_layout.h"

#include <algorithm>

#include "app/graph_controls.h"

namespace walkconv::app {

namespace {

// Room between the rows, and their heights, in pixels at 96 DPI.
constexpr int kGap = 6;
constexpr int kLabelGap = 2;  // between a label and the list below it
constexpr int kLabelHeight = 18;
constexpr int kFieldHeight = 23;
constexpr int kFieldLabelWidth = 52;
constexpr int kButtonHeight = 28;
constexpr int kLeastListHeight = 48;

// A label beside a field: the first of a row of two.
bool LabelsAField(const ControlRow& row) {
    return row.count == 2 && GraphControls()[row.first].kind == ControlKind::Label;
}

// The height of a row at 96 DPI; 0 for the list's.
int HeightOf(const ControlRow& row) {
    switch (GraphControls()[row.first].kind) {
        case ControlKind::Label:
            return LabelsAField(row) ? kFieldHeight : kLabelHeight;
        case ControlKind::Button:
        case ControlKind::OptionButton:
            return kButtonHeight;
        case ControlKind::CheckBox:
            return kFieldHeight;
        case ControlKind::List:
            return 0;
        case ControlKind::TextBox:
            break;
    }
    return kFieldHeight;
}

int GapBelow(const ControlRow& row) {
    const bool label = GraphControls()[row.first].kind == ControlKind::Label && !LabelsAField(row);
    return label ? kLabelGap : kGap;
}

}  // namespace

std::vector<ControlPlace> LayOutGraphSide(int width, int height,
                                          const std::function<int(int)>& scaled) {
    const std::vector<ControlRow> rows = GraphControlRows();
    int fixed = 0;
    for (const ControlRow& row : rows) {
        fixed += scaled(HeightOf(row)) + scaled(GapBelow(row));
    }
    const int listHeight =
        std::max(scaled(kLeastListHeight), height - fixed + scaled(GapBelow(rows.back())));
    std::vector<ControlPlace> places(GraphControls().size());
    int top = 0;
    for (const ControlRow& row : rows) {
        const int rowHeight = HeightOf(row) == 0 ? listHeight : scaled(HeightOf(row));
        if (LabelsAField(row)) {
            const int labelWidth = scaled(kFieldLabelWidth);
            const int labelHeight = scaled(kLabelHeight);
            places[row.first] = {0, top + (rowHeight - labelHeight) / 2 + 1, labelWidth,
                                 labelHeight};
            places[row.first + 1] = {labelWidth, top, width - labelWidth, rowHeight};
        } else {
            // Of equal width, the last one flush with the column's right edge.
            const int count = static_cast<int>(row.count);
            const int each = (width - (count - 1) * scaled(kGap)) / count;
            for (int k = 0; k < count; ++k) {
                const int left = k + 1 == count ? width - each : k * (each + scaled(kGap));
                places[row.first + static_cast<std::size_t>(k)] = {left, top, each, rowHeight};
            }
        }
        top += rowHeight + scaled(GapBelow(row));
    }
    return places;
}

}  // namespace walkconv::app
