// Speed of the walk source analysis for the largest file the tables hold (1000 points, 1000
// links): scanning with one statement per line, with the whole file on one line and with
// comments on every line, and the full Analyse and Convert! on disk.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_reader.h"
#include "support/temp_dir.h"
#include "support/walk_samples.h"

namespace walkconv {
namespace {

void ScanText(benchmark::State& bench, const std::string& text) {
    for (auto _ : bench) {
        ConversionState state;
        ScanWalkText(text, state);
        benchmark::DoNotOptimize(state.PointCount);
        benchmark::ClobberMemory();
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

void BM_ScanWalkText_MultiLine(benchmark::State& bench) {
    ScanText(bench, testing::MultiLineWalk(testing::SampleState()));
}
BENCHMARK(BM_ScanWalkText_MultiLine)->Unit(benchmark::kMicrosecond);

void BM_ScanWalkText_OneLine(benchmark::State& bench) {
    ScanText(bench, testing::OneLineWalk(testing::SampleState()));
}
BENCHMARK(BM_ScanWalkText_OneLine)->Unit(benchmark::kMicrosecond);

// The same file with a comment after every statement and a block comment before every line,
// which are blanked out before the scan.
void BM_ScanWalkText_Commented(benchmark::State& bench) {
    std::string text;
    const std::string plain = testing::MultiLineWalk(testing::SampleState());
    for (std::size_t start = 0; start < plain.size();) {
        const std::size_t end = std::min(plain.find("\r\n", start), plain.size());
        text += "/* a */ " + plain.substr(start, end - start) + " // was 0\r\n";
        start = end + 2;
    }
    ScanText(bench, text);
}
BENCHMARK(BM_ScanWalkText_Commented)->Unit(benchmark::kMicrosecond);

void BM_AnalyseAndWriteMaxSizeFile(benchmark::State& bench) {
    testing::TempDir dir;
    const std::string input =
        dir.Write("ship_walk.c", testing::MultiLineWalk(testing::SampleState())).string();
    const std::filesystem::path output = dir.path() / "ship1.ini";
    for (auto _ : bench) {
        ConversionState state;
        if (AnalyseWalk(input, state) != AnalysisOutcome::Valid) {
            bench.SkipWithError("the sample walk source did not analyse as valid");
            break;
        }
        WriteSailorpoints(output, state);
    }
}
BENCHMARK(BM_AnalyseAndWriteMaxSizeFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
