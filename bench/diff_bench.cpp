// Speed of walkconv diff on the largest graphs (1001 points, 1001 links): two versions of one
// file, which differ in a few places, and two unrelated files, the worst case of the
// alignment. The goal is well under 50 ms for two such files.

#include <benchmark/benchmark.h>

#include "core/diff/graph_diff.h"
#include "core/editing/graph_document.h"
#include "core/editing/graph_edit.h"
#include "support/walk_samples.h"

namespace walkconv {
namespace {

GraphDocument Largest() {
    return DocumentOf(InputKind::WalkSource, testing::SampleState(kMostPoints, kMostLinks), {},
                      nullptr);
}

void Compare(benchmark::State& bench, const GraphDocument& a, const GraphDocument& b) {
    for (auto _ : bench) {
        const GraphDiff diff = DiffGraphs(a, b);
        benchmark::DoNotOptimize(diff.points.size());
    }
}

void BM_DiffGraphs_Same(benchmark::State& bench) {
    const GraphDocument a = Largest();
    Compare(bench, a, a);
}
BENCHMARK(BM_DiffGraphs_Same)->Unit(benchmark::kMillisecond);

// A point removed with its links in the middle, one moved, one retyped, a link added.
void BM_DiffGraphs_AFewEdits(benchmark::State& bench) {
    const GraphDocument a = Largest();
    GraphDocument b = a;
    ApplyEdit(b, RemovePoint{500});
    ApplyEdit(b, MovePoint{100, 1, 2, 3});
    ApplyEdit(b, SetPointType{900, 3});
    ApplyEdit(b, AddLink{0, 999});
    Compare(bench, a, b);
}
BENCHMARK(BM_DiffGraphs_AFewEdits)->Unit(benchmark::kMillisecond);

// Every point moved: nothing aligns, every point pairs up as changed.
void BM_DiffGraphs_NothingAlike(benchmark::State& bench) {
    const GraphDocument a = Largest();
    GraphDocument b = a;
    for (Point& point : b.points) {
        point.x += 1000;
    }
    Compare(bench, a, b);
}
BENCHMARK(BM_DiffGraphs_NothingAlike)->Unit(benchmark::kMillisecond);

// Every other point removed and as many added elsewhere: many short gaps to align and pair.
void BM_DiffGraphs_HalfReplaced(benchmark::State& bench) {
    const GraphDocument a = Largest();
    GraphDocument b = a;
    for (std::size_t i = 0; i < b.points.size(); i += 2) {
        b.points[i].y = -1;
    }
    Compare(bench, a, b);
}
BENCHMARK(BM_DiffGraphs_HalfReplaced)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
