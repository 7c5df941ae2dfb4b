// Speed of one edit in the graph window on the largest graph the tables hold (1001 points,
// 1001 links): the edit, then the findings, the repairs and the drawing made again, as after
// every edit; each iteration moves a point there and back, so it counts two edits.

#include <benchmark/benchmark.h>

#include "app/graph_editing.h"
#include "core/editing/graph_document.h"
#include "support/analysed_graph.h"

namespace walkconv {
namespace {

void BM_EditFindingsAndDrawingOfMaxSizeGraph(benchmark::State& bench) {
    const testing::AnalysedGraph graph = testing::LargestWithFindings();
    app::GraphEditing editing;
    editing.Open(DocumentOf(InputKind::WalkSource, graph.state, graph.details, nullptr), "x");
    const Point start = editing.Document().points[500];
    for (auto _ : bench) {
        editing.Apply(MovePoint{500, start.x + 1, start.y, start.z});
        editing.Apply(MovePoint{500, start.x, start.y, start.z});
        benchmark::DoNotOptimize(editing.Content().get());
    }
    bench.SetItemsProcessed(static_cast<std::int64_t>(bench.iterations()) * 2);
}
BENCHMARK(BM_EditFindingsAndDrawingOfMaxSizeGraph)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
