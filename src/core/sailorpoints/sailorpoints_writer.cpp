#include "core/sailorpoints/sailorpoints_writer.h"

#include <algorithm>

#include "core/numbers.h"
#include "core/text_file.h"

namespace walkconv {

std::string FormatSailorpoints(const ConversionState& state) {
    const int points = state.PointCount;
    const int links = state.LinkCount;
    std::string out;
    out.reserve(64 + 48 * static_cast<std::size_t>(std::max(points, 0)) +
                24 * static_cast<std::size_t>(std::max(links, 0)));
    // One line from its pieces, appended in place rather than joined first.
    const auto line = [&out](const auto&... pieces) {
        (out += ... += pieces);
        out += "\r\n";
    };

    line("");
    line("[SIZE]");
    line("points = ", std::to_string(points));
    line("links = ", std::to_string(links));
    line("");
    line("[POINT_DATA]");
    for (int i = 0; i < points; ++i) {
        const Point& p = state.Points[i];
        line("point ", std::to_string(i), " = ", NumberToText(p.x), ",", NumberToText(p.y), ",",
             NumberToText(p.z), ",", NumberToText(p.type));
    }
    line("");
    line("[LINK_DATA]");
    for (int i = 0; i < links; ++i) {
        const Link& l = state.Links[i];
        line("link ", std::to_string(i), " = ", std::to_string(l.from), ",", std::to_string(l.to));
    }
    return out;
}

void WriteSailorpoints(const std::filesystem::path& path, const ConversionState& state) {
    WriteFileAtomically(path, FormatSailorpoints(state));
}

}  // namespace walkconv
