// Speed of the sailorpoints analysis for the largest file the tables hold (1000 points, 1000
// links), as the sailorpoints writer lays it out: scanning it with one entry per line and with
// the whole file on one line, and the full Analyse and Convert! on disk.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_writer.h"
#include "support/temp_dir.h"
#include "support/walk_samples.h"

namespace walkconv {
namespace {

void ScanText(benchmark::State& bench, const std::string& text) {
    for (auto _ : bench) {
        ConversionState state;
        state.PointCount = -1;  // as an analysis starts
        state.LinkCount = -1;
        ScanSailorpointsText(text, state);
        benchmark::DoNotOptimize(state.PointCount);
        benchmark::ClobberMemory();
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

// The sailorpoints file of the largest sample state, as the writer lays it out.
std::string MultiLineSailorpoints() {
    return FormatSailorpoints(testing::SampleState());
}

void BM_ScanSailorpointsText_MultiLine(benchmark::State& bench) {
    ScanText(bench, MultiLineSailorpoints());
}
BENCHMARK(BM_ScanSailorpointsText_MultiLine)->Unit(benchmark::kMicrosecond);

// The same file with its line ends removed: one line, in which the reader finds the section
// words and reads one point and one link.
void BM_ScanSailorpointsText_OneLine(benchmark::State& bench) {
    std::string text = MultiLineSailorpoints();
    text.erase(
        std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }),
        text.end());
    ScanText(bench, text);
}
BENCHMARK(BM_ScanSailorpointsText_OneLine)->Unit(benchmark::kMicrosecond);

void BM_AnalyseAndWriteMaxSizeFile(benchmark::State& bench) {
    testing::TempDir dir;
    const std::string input = dir.Write("ship1.ini", MultiLineSailorpoints()).string();
    const std::filesystem::path output = dir.path() / "ship_walk.c";
    for (auto _ : bench) {
        ConversionState state;
        if (AnalyseSailorpoints(input, state) != AnalysisOutcome::Valid) {
            bench.SkipWithError("the sample sailorpoints file did not analyse as valid");
            break;
        }
        WriteWalkSource(output, state);
    }
}
BENCHMARK(BM_AnalyseAndWriteMaxSizeFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
