// Speed of the picture of the largest graph the tables hold (1000 points, 1000 links): the
// findings, the drawing model and the SVG text, in memory; and the whole of it with the atomic
// write. The counter "svg_bytes" is the size of the document.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/drawing/svg_writer.h"
#include "core/findings/findings.h"
#include "support/analysed_graph.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

void BM_RenderMaxSizeGraph(benchmark::State& bench) {
    const testing::AnalysedGraph graph = testing::LargestWithFindings();
    const ConversionState& state = graph.state;
    const AnalysisDetails& details = graph.details;
    std::size_t bytes = 0;
    for (auto _ : bench) {
        const std::vector<Finding> findings = CollectFindings(state, details, nullptr);
        const std::string svg = FormatGraphSvg(DrawGraph(state, findings));
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    bench.counters["svg_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderMaxSizeGraph)->Unit(benchmark::kMillisecond);

void BM_RenderAndWriteMaxSizeGraph(benchmark::State& bench) {
    const testing::AnalysedGraph graph = testing::LargestWithFindings();
    const ConversionState& state = graph.state;
    const AnalysisDetails& details = graph.details;
    testing::TempDir dir;
    const std::filesystem::path target = dir.path() / "ship_graph.svg";
    for (auto _ : bench) {
        WriteGraphSvg(target, DrawGraph(state, CollectFindings(state, details, nullptr)));
    }
}
BENCHMARK(BM_RenderAndWriteMaxSizeGraph)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
