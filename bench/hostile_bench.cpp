// Speed of both readers on large files, at two sizes ten times apart, to show that the time per
// byte does not grow with the size: a walk source written on one single line (5 and 50 MB) and
// a sailorpoints file of many lines (100,000 and 1,000,000).
#include <benchmark/benchmark.h>

#include <string>

#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/walk/walk_reader.h"
#include "support/hostile_inputs.h"

namespace walkconv {
namespace {

template <typename Scan>
void ScanText(benchmark::State& bench, const std::string& text, std::int16_t initialCount,
              Scan scan) {
    for (auto _ : bench) {
        ConversionState state;
        state.PointCount = initialCount;
        state.LinkCount = initialCount;
        scan(text, state);
        benchmark::DoNotOptimize(state.PointCount);
        benchmark::ClobberMemory();
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

void BM_OneLineWalkSource(benchmark::State& bench) {
    const std::string text =
        testing::OneLineWalkOfSize(static_cast<std::size_t>(bench.range(0)) << 20);
    ScanText(bench, text, 0, [](std::string_view t, ConversionState& s) { ScanWalkText(t, s); });
}
BENCHMARK(BM_OneLineWalkSource)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_ManyLineSailorpoints(benchmark::State& bench) {
    const std::string text = testing::SailorpointsOfLines(static_cast<std::size_t>(bench.range(0)));
    ScanText(bench, text, -1,
             [](std::string_view t, ConversionState& s) { ScanSailorpointsText(t, s); });
}
BENCHMARK(BM_ManyLineSailorpoints)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
