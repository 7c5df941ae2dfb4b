#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>

#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/walk/walk_reader.h"
#include "support/platform.h"
#include "support/temp_dir.h"
#include "support/walk_samples.h"

namespace walkconv {
namespace {

constexpr int kRuns = 15;

// The processor time of one call of `work`, in milliseconds. Processor time rather than wall
// time, so that other work on a busy machine does not count against the reader.
template <typename Work>
double Milliseconds(Work&& work) {
    const std::clock_t start = std::clock();
    work();
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double ScanMilliseconds(const std::string& text) {
    return Milliseconds([&text] {
        ConversionState state;
        ScanWalkText(text, state);
        ASSERT_EQ(state.PointCount, testing::kMaxPoints);
    });
}

// Taking the first keyword after every ";" afresh would make a file written on one line
// quadratic in its length; the scan must stay linear.
TEST(WalkReaderSpeed, AOneLineFileScansWithinThreeTimesTheTimeOfOneStatementPerLine) {
    if (testing::kOnWindows) {
        GTEST_SKIP() << testing::kNoProcessorClock;
    }
    const ConversionState sample = testing::SampleState();
    const std::string multiLine = testing::MultiLineWalk(sample);
    const std::string oneLine = testing::OneLineWalk(sample);
    double bestMultiLine = 1e9;
    double bestOneLine = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        bestMultiLine = std::min(bestMultiLine, ScanMilliseconds(multiLine));
        bestOneLine = std::min(bestOneLine, ScanMilliseconds(oneLine));
    }
    EXPECT_LT(bestOneLine, 3 * bestMultiLine)
        << "one line " << bestOneLine << " ms, one statement per line " << bestMultiLine << " ms";
}

TEST(WalkReaderSpeed, AMaxSizeFileIsAnalysedAndWrittenUnderFiveMilliseconds) {
#ifndef NDEBUG
    GTEST_SKIP() << "the time limit holds for optimised builds";
#endif
    if (testing::kOnWindows) {
        GTEST_SKIP() << testing::kNoProcessorClock;
    }
    testing::TempDir dir;
    const std::string input =
        dir.Write("ship_walk.c", testing::MultiLineWalk(testing::SampleState())).string();
    const std::filesystem::path output = dir.path() / "ship1.ini";
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        best = std::min(best, Milliseconds([&] {
                            ConversionState state;
                            ASSERT_EQ(AnalyseWalk(input, state), AnalysisOutcome::Valid);
                            WriteSailorpoints(output, state);
                        }));
    }
    EXPECT_LT(best, 5.0) << "best of " << kRuns << " runs: " << best << " ms";
}

}  // namespace
}  // namespace walkconv
