// Speed of the ship's model: loading an OBJ model of a million triangles with its hierarchy
// (goal: under 1.5 s), and the checks against that model for the largest graph the tables
// hold, 1001 points and 1001 links (goal: under 20 ms).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/findings/findings.h"
#include "core/mesh/mesh_file.h"
#include "core/mesh/mesh_index.h"
#include "core/mesh/obj_reader.h"
#include "support/analysed_graph.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

constexpr int kAcross = 500;  // quads across, 6 units
constexpr int kAlong = 1000;  // quads along, 40 units: 2 * 500 * 1000 triangles
constexpr double kWidth = 6;
constexpr double kLength = 40;

// A deck with a gentle sheer: higher at bow and stern, as ships' decks are.
double DeckHeight(double z) {
    const double middle = z / kLength - 0.5;
    return 2 + middle * middle;
}

std::string MillionTriangleObj() {
    std::string text;
    text.reserve(60'000'000);
    for (int j = 0; j <= kAlong; ++j) {
        const double z = kLength * j / kAlong;
        for (int i = 0; i <= kAcross; ++i) {
            text += "v " + std::to_string(kWidth * i / kAcross - kWidth / 2) + " " +
                    std::to_string(DeckHeight(z)) + " " + std::to_string(z) + "\n";
        }
    }
    const auto vertex = [](int i, int j) { return std::to_string(j * (kAcross + 1) + i + 1); };
    for (int j = 0; j < kAlong; ++j) {
        for (int i = 0; i < kAcross; ++i) {
            text += "f " + vertex(i, j) + " " + vertex(i + 1, j) + " " + vertex(i + 1, j + 1) +
                    " " + vertex(i, j + 1) + "\n";
        }
    }
    return text;
}

const testing::TempDir& ModelFolder() {
    static const testing::TempDir dir;
    static const bool written = [] {
        dir.Write("deck.obj", MillionTriangleObj());
        return true;
    }();
    (void)written;
    return dir;
}

void BM_LoadMillionTriangleObj(benchmark::State& bench) {
    const std::filesystem::path model = ModelFolder().path() / "deck.obj";
    std::size_t triangles = 0;
    for (auto _ : bench) {
        MeshReading reading = LoadMesh(model, {});
        const MeshIndex index(std::move(*reading.mesh));
        triangles = index.Mesh().triangles.size();
        benchmark::DoNotOptimize(index.Low());
    }
    bench.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_LoadMillionTriangleObj)->Unit(benchmark::kMillisecond);

// 1001 points over the deck, some on it, some floating, some sunk; 1001 links between
// neighbours, each a few units long.
void BM_ModelFindingsOfLargestGraph(benchmark::State& bench) {
    static const std::unique_ptr<const MeshIndex> deck = [] {
        MeshReading reading = LoadMesh(ModelFolder().path() / "deck.obj", {});
        return std::make_unique<const MeshIndex>(std::move(*reading.mesh));
    }();
    std::vector<Point> points;
    for (int i = 0; i < kTableSize; ++i) {
        const double z = 1 + 38.0 * i / kTableSize;
        const double x = 2.5 * std::sin(i * 0.7);
        points.push_back({x, DeckHeight(z) + 0.1 * (i % 5 - 1), z, 0});
    }
    std::vector<testing::Ends> links;
    for (int i = 0; i < kTableSize; ++i) {
        links.emplace_back(i, (i + 7) % kTableSize);
    }
    const testing::AnalysedGraph graph = testing::Analysed(points, links);
    const ModelCheck model{deck.get(), {}};
    std::size_t findings = 0;
    for (auto _ : bench) {
        findings = CollectFindings(graph.state, graph.details, nullptr, &model).size();
    }
    bench.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_ModelFindingsOfLargestGraph)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
