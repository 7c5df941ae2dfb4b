#include "core/walk/walk_writer.h"

#include <algorithm>

#include "core/numbers.h"
#include "core/text_file.h"

namespace walkconv {

std::string FormatWalkSource(const ConversionState& state) {
    const std::string& m = state.ModelName;
    const int points = state.PointCount;
    const int links = state.LinkCount;
    const std::string indent(8, ' ');
    std::string out;
    out.reserve(128 + (4 * static_cast<std::size_t>(std::max(points, 0)) +
                       static_cast<std::size_t>(std::max(links, 0))) *
                          (m.size() + 40));
    // One line from its pieces, appended in place rather than joined first.
    const auto line = [&out](const auto&... pieces) {
        (out += ... += pieces);
        out += "\r\n";
    };

    line("int ", m, "_walk_count;");
    line("float ", m, "_walk_verts[", std::to_string(3 * points), "];");
    line("int ", m, "_walk_types[", std::to_string(points), "];");
    line("int ", m, "_walk_graph[", std::to_string(links), "];");
    line("");
    line("void ", m, "_walk_init()");
    line("{");
    line(indent, m, "_walk_count = ", std::to_string(points), ";");
    line("");
    for (int i = 0; i < points; ++i) {
        const Point& p = state.Points[i];
        for (int k = 0; k < 3; ++k) {
            line(indent, m, "_walk_verts[", std::to_string(3 * i + k),
                 "] = ", NumberToText(p.Coordinate(k)), ";");
        }
    }
    line("");
    for (int i = 0; i < points; ++i) {
        line(indent, m, "_walk_types[", std::to_string(i),
             "] = ", NumberToText(state.Points[i].type), ";");
    }
    line("");
    for (int i = 0; i < links; ++i) {
        const Link& l = state.Links[i];
        line(indent, m, "_walk_graph[", std::to_string(i), "] = (", std::to_string(l.from),
             ")*256 + (", std::to_string(l.to), ");");
    }
    line("}");
    return out;
}

void WriteWalkSource(const std::filesystem::path& path, const ConversionState& state) {
    WriteFileAtomically(path, FormatWalkSource(state));
}

}  // namespace walkconv
