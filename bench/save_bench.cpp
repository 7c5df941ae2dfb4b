// Speed of a save that keeps the file's text: one point of a walk source and of a sailorpoints
// file of 1001 points moved, then the text made again (its replacements, and the reading back
// that checks them), with or without writing it beside the target and renaming it over the
// target, whose wait for the disk is most of the wall time. Under 10 ms.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/editing/document_file.h"
#include "core/editing/graph_edit.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text_file.h"
#include "support/temp_dir.h"
#include "support/walk_samples.h"

namespace walkconv {
namespace {

void SaveOnePointMoved(benchmark::State& bench, const std::string& name, const std::string& text,
                       InputKind kind, bool write) {
    const testing::TempDir dir;
    const std::filesystem::path path = dir.Write(name, text);
    const DocumentReading reading = ReadDocument(Utf8FromPath(path), kind);
    if (!reading.document) {
        bench.SkipWithError("the sample does not read as valid");
        return;
    }
    const GraphDocument& read = *reading.document;
    const Point start = read.points[500];
    for (auto _ : bench) {
        GraphDocument document = read;
        ApplyEdit(document, MovePoint{500, start.x + 1, start.y, start.z});
        if (write) {
            SaveDocument(path, document);
        } else {
            benchmark::DoNotOptimize(SavedText(document, name));
        }
    }
}

void BM_SaveWalkSourceWithOnePointMoved(benchmark::State& bench) {
    const ConversionState state = testing::SampleState(kTableSize, testing::kMaxLinks);
    SaveOnePointMoved(bench, "ship_walk.c", testing::MultiLineWalk(state), InputKind::WalkSource,
                      bench.range(0) != 0);
}
BENCHMARK(BM_SaveWalkSourceWithOnePointMoved)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SaveSailorpointsWithOnePointMoved(benchmark::State& bench) {
    const ConversionState state = testing::SampleState(kTableSize, testing::kMaxLinks);
    SaveOnePointMoved(bench, "ship1.ini", FormatSailorpoints(state), InputKind::Sailorpoints,
                      bench.range(0) != 0);
}
BENCHMARK(BM_SaveSailorpointsWithOnePointMoved)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace walkconv

BENCHMARK_MAIN();
