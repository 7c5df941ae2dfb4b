// Writes the pictures that svg_check.py reads: `svg_samples FOLDER` saves one SVG file per
// sample graph there, each through the whole path a user's picture takes (findings, drawing,
// atomic write).
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "core/drawing/svg_writer.h"
#include "core/findings/findings.h"
#include "support/analysed_graph.h"

namespace walkconv {
namespace {

using testing::Analysed;
using testing::AnalysedGraph;

void Save(const std::filesystem::path& folder, const std::string& name, AnalysedGraph graph) {
    const std::vector<Finding> findings = CollectFindings(graph.state, graph.details, nullptr);
    WriteGraphSvg(folder / (name + ".svg"), DrawGraph(graph.state, findings));
}

// Points far apart, each type in its own colour, for reading the colour at each dot.
AnalysedGraph Spread() {
    return Analysed({{0, 0, 0, 1},
                     {4, 2, 10, 10},
                     {-3, 6, 25, 7},
                     {8, -1, 40, 2},
                     {1, 3, 55, 0.5},
                     {-2, 5, 70, 1}},
                    {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}});
}

}  // namespace
}  // namespace walkconv

int main(int argc, char** argv) {
    using namespace walkconv;
    if (argc != 2) {
        std::cerr << "usage: svg_samples FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    constexpr double kMax = std::numeric_limits<double>::max();

    Save(folder, "largest", testing::LargestWithFindings());
    Save(folder, "spread", Spread());
    Save(folder, "findings",
         Analysed({{0, 0, 0, 1},
                   {1, 1, 2, 1},
                   {2, 0, 4, 1},
                   {0, 1, 6, 1},
                   {1, 0, 8, 1},
                   {2, 1, 10, 1},
                   {0, 0, 12, 1}},
                  {{0, 1}, {1, 0}, {2, 2}, {1, 9}, {8, 9}, {4, 5}, {-1, 4}, {5, 6}}));
    Save(folder, "one_point", Analysed(1, {{0, 0}}));
    Save(folder, "huge",
         Analysed({{kMax, -kMax, kMax, 1e300}, {-kMax, kMax, -kMax, -1e-300}, {0, 0, 0, 0}},
                  {{0, 1}, {1, 2}}));
    AnalysedGraph oddName = Analysed(2, {{0, 1}});
    oddName.state.ModelName = std::string("\xFF\xFE<&\"]]>\x01\xC3\x28 \xE2\x80\xA6", 15);
    Save(folder, "odd_name", oddName);
    return 0;
}
