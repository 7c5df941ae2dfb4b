// Inputs that no one should write, and some that people do: random bytes, NUL bytes, huge
// files on one line, numbers with thousands of digits, and every limit of the tables and of
// 16-bit numbers one step inside and one step outside. Whatever a file holds, the analysis
// ends in one of its outcomes, in time linear in the file's size and with heap memory close
// to the file's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis.h"
#include "core/conversion_error.h"
#include "core/conversion_state.h"
#include "core/numbers.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/walk/walk_reader.h"
#include "support/heap_meter.h"
#include "support/hostile_inputs.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

using testing::TempDir;

enum class Reader { Walk, Sailorpoints };

struct Analysis {
    AnalysisOutcome outcome;
    ConversionState state;
    double seconds;
    std::size_t heapBytes;  // the most heap memory in use above what was in use before
};

// Analyses the input of `reader` at `path` as the window does.
Analysis AnalyseFile(Reader reader, const std::string& path) {
    Analysis result{};
    const std::size_t before = testing::HeapInUse();
    testing::ResetHeapPeak();
    const std::clock_t start = std::clock();
    result.outcome = reader == Reader::Walk ? AnalyseWalk(path, result.state)
                                            : AnalyseSailorpoints(path, result.state);
    result.seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    result.heapBytes = testing::HeapPeak() - before;
    return result;
}

std::string InputPath(const TempDir& dir, Reader reader, const std::string& text) {
    return dir.Write(reader == Reader::Walk ? "model_walk.c" : "model1.ini", text).string();
}

// Saves `text` as an input of `reader` and analyses it as the window does.
Analysis Analyse(Reader reader, const std::string& text) {
    const TempDir dir;
    return AnalyseFile(reader, InputPath(dir, reader, text));
}

// What every analysis of an existing file leaves, whatever the file held.
void ExpectSoundEnd(const Analysis& a) {
    EXPECT_NE(a.outcome, AnalysisOutcome::NothingDone);
    if (a.outcome == AnalysisOutcome::Failed) {
        return;
    }
    EXPECT_EQ(a.outcome == AnalysisOutcome::Valid, a.state.PointCount > 0 && a.state.LinkCount > 0);
    EXPECT_LE(a.state.PointCount, kTableSize);
    EXPECT_LE(a.state.LinkCount, kTableSize);
    for (int i = 0; i < std::min<int>(a.state.LinkCount, kTableSize); ++i) {
        EXPECT_GE(a.state.Links[i].from, 0);
        EXPECT_GE(a.state.Links[i].to, 0);
    }
}

// ---- Bytes that are no text at all

TEST(HostileInput, RandomBytesEndInAnOutcome) {
    const std::string punctuation = "walk_verts_types_graph[]=();+,-.&HE0123456789 \r\n";
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        for (const std::string& text :
             {testing::RandomBytes(1 << 20, seed), testing::RandomBytes(1 << 16, seed, punctuation),
              "[POINT_DATA]\n" +
                  testing::RandomBytes(1 << 16, seed, "pointlink=,[]_DAT -1234\n")}) {
            ExpectSoundEnd(Analyse(Reader::Walk, text));
            ExpectSoundEnd(Analyse(Reader::Sailorpoints, text));
        }
    }
}

TEST(HostileInput, NulAndNonAsciiBytesAroundTheStatementsChangeNothing) {
    using namespace std::string_literals;
    const std::string walk =
        "\xEF\xBB\xBF/* \xC3\xA9t\xC3\xA9 \xFF\xFE */ s_walk_verts[0] = 1.5;\0\0"
        "s_walk_verts[5] = \xE2\x82\xAC 2;\n\xA0s_walk_types[1] = 4; \0"
        "s_walk_graph[1] = (0)*256 + (1);\x80\n"s;
    const Analysis w = Analyse(Reader::Walk, walk);
    ASSERT_EQ(w.outcome, AnalysisOutcome::Valid);
    EXPECT_EQ(w.state.Points[0].x, 1.5);
    EXPECT_EQ(w.state.Points[1].z, 0);  // "\xE2\x82\xAC 2" does not begin with a number
    EXPECT_EQ(w.state.Points[1].type, 7);
    EXPECT_EQ(w.state.LinkCount, 1);  // counted from the highest index, as always
    EXPECT_EQ(w.state.Links[1], (Link{0, 1}));

    const std::string ini =
        "\xEF\xBB\xBF[POINT_DATA]\0\xFF\npoint 0 = 1,2,3,4 \xC3\xA9\0\n"
        "\xFE point 1 = \0 5,6,7,10\n[LINK_DATA]\x80\nlink 0 = 0,1\0\n"s;
    const Analysis s = Analyse(Reader::Sailorpoints, ini);
    ASSERT_EQ(s.outcome, AnalysisOutcome::Valid);
    EXPECT_EQ(s.state.PointCount, 2);
    EXPECT_EQ(s.state.Points[0], (Point{1, 2, 3, 4}));
    EXPECT_EQ(s.state.Points[1], (Point{0, 6, 7, 5}));  // "\0 5" does not begin with a number
    EXPECT_EQ(s.state.Links[0], (Link{0, 1}));
}

// ---- Size: linear time, memory close to the file's size

// The time per byte of one analysis of `large` over that of ten analyses of `small`, a tenth
// of its size, in processor time, each the least of three measurements. Both sides do the same
// work over the same stretch of time, so a busy machine slows both alike, and the least of
// three leaves out a cold first run. The first analysis of `large` is kept in `first` for the
// checks of its result. Linear time gives about 1; reading a statement or a line again for
// every statement before it would give 10 and more.
double CostRatio(Reader reader, const std::string& large, const std::string& small,
                 Analysis& first) {
    const auto least = [reader](const std::string& text, int repeats, Analysis* kept) {
        const TempDir dir;
        const std::string path = InputPath(dir, reader, text);
        double least = 1e9;
        for (int run = 0; run < 3; ++run) {
            double seconds = 0;
            for (int i = 0; i < repeats; ++i) {
                Analysis a = AnalyseFile(reader, path);
                seconds += a.seconds;
                if (kept != nullptr && run == 0) {
                    *kept = std::move(a);
                }
            }
            least = std::min(least, seconds);
        }
        return std::max(least, 1e-4);
    };
    return (least(large, 1, &first) / static_cast<double>(large.size())) /
           (least(small, 10, nullptr) / static_cast<double>(10 * small.size()));
}

// Far below the 10 of a reader that goes back over what it read, and far above what a cold
// cache or a busy machine adds to the least of three runs.
constexpr double kMostCostRatio = 4;

TEST(HostileInput, ATwentyMegabyteWalkSourceOnOneLineIsReadInLinearTimeAndSpace) {
    const std::string large = testing::OneLineWalkOfSize(20u << 20);
    Analysis a;
    const double ratio = CostRatio(Reader::Walk, large, testing::OneLineWalkOfSize(2u << 20), a);
    ASSERT_EQ(a.outcome, AnalysisOutcome::Valid);
    EXPECT_EQ(a.state.PointCount, 1000);
    EXPECT_EQ(a.state.LinkCount, 1000);
    EXPECT_EQ(a.state.Points[999].type, 7);
    // The whole file is read into memory once; the scan itself keeps nothing of its size.
    EXPECT_GE(a.heapBytes, large.size());
    EXPECT_LT(a.heapBytes, large.size() + large.size() / 8 + (1u << 20)) << a.heapBytes;
    EXPECT_LT(ratio, kMostCostRatio) << a.seconds << " s for 20 MB";
}

TEST(HostileInput, ASailorpointsFileOfAMillionLinesIsReadInLinearTimeAndSpace) {
    const std::string large = testing::SailorpointsOfLines(1'000'000);
    Analysis a;
    const double ratio =
        CostRatio(Reader::Sailorpoints, large, testing::SailorpointsOfLines(100'000), a);
    ASSERT_EQ(a.outcome, AnalysisOutcome::Valid);
    EXPECT_EQ(a.state.PointCount, 1001);
    EXPECT_EQ(a.state.LinkCount, 1001);
    EXPECT_LT(a.heapBytes, large.size() + large.size() / 8 + (1u << 20)) << a.heapBytes;
    EXPECT_LT(ratio, kMostCostRatio) << a.seconds << " s for a million lines";
}

TEST(HostileInput, ALineOfAMillionSemicolonsOrBracketsHoldsNothing) {
    for (const std::string& text :
         {std::string(1'000'000, ';'), "s_walk_verts" + std::string(1'000'000, '['),
          "s_walk_graph=" + std::string(1'000'000, '('),
          std::string(1'000'000, ' ') + "s_walk_verts[0] = 1;"}) {
        for (const Reader reader : {Reader::Walk, Reader::Sailorpoints}) {
            const Analysis a = Analyse(reader, text);
            EXPECT_EQ(a.outcome, AnalysisOutcome::NotValid);
            EXPECT_LT(a.seconds, 5);
            // One line as long as the file: the sailorpoints reader holds an upper-case copy.
            EXPECT_LT(a.heapBytes, 2 * text.size() + text.size() / 4 + (1u << 20));
        }
    }
}

// ---- Numbers

TEST(HostileInput, NumbersWithThousandsOfDigitsReadAsTheirNearestDouble) {
    const std::string thirds = "0." + std::string(5000, '3');
    EXPECT_EQ(TextToNumber(thirds), 1.0 / 3);
    EXPECT_EQ(TextToNumber("0." + std::string(5000, '0') + "1"), 0);
    EXPECT_EQ(TextToNumber("1" + std::string(400, '0') + "E-400"), 1);
    EXPECT_EQ(TextToNumber("0." + std::string(400, '0') + "1E401"), 1);
    EXPECT_EQ(TextToNumber("1E-" + std::string(5000, '9')), 0);
    EXPECT_EQ(TextToNumber("0E" + std::string(5000, '9')), 0);
    EXPECT_THROW(TextToNumber("1" + std::string(5000, '0')), ConversionError);
    EXPECT_THROW(TextToNumber("1E" + std::string(5000, '9')), ConversionError);
    EXPECT_THROW(TextToNumber("&H" + std::string(300, 'F')), ConversionError);

    // In files: a coordinate of 5000 digits is read, an index of 5000 digits breaks 16 bits.
    const Analysis ok = Analyse(Reader::Sailorpoints,
                                "[POINT_DATA]\npoint 0 = " + thirds + ",1,2,3\n[LINK_DATA]\n");
    ASSERT_EQ(ok.outcome, AnalysisOutcome::Valid);
    EXPECT_EQ(ok.state.Points[0].x, 1.0 / 3);
    EXPECT_EQ(Analyse(Reader::Walk, "s_walk_verts[" + std::string(5000, '1') + "] = 1;\n").outcome,
              AnalysisOutcome::Failed);
}

TEST(HostileInput, ExponentsBeyondTheDoubleRangeFailAndTinyOnesReadAsZero) {
    const std::string links = "s_walk_graph[1] = (0)*256 + (1);\n";
    EXPECT_EQ(Analyse(Reader::Walk, "s_walk_verts[3] = 1E309;\n" + links).outcome,
              AnalysisOutcome::Failed);
    EXPECT_EQ(Analyse(Reader::Walk, "s_walk_verts[3] = -1.8D308;\n" + links).outcome,
              AnalysisOutcome::Failed);
    EXPECT_EQ(Analyse(Reader::Walk, "s_walk_types[0] = 1E+99999999999999999999;\n" + links).outcome,
              AnalysisOutcome::Failed);
    const Analysis tiny = Analyse(Reader::Walk, "s_walk_verts[3] = 1E-400;\n" + links);
    ASSERT_EQ(tiny.outcome, AnalysisOutcome::Valid);
    EXPECT_EQ(tiny.state.Points[1].x, 0);
    EXPECT_EQ(Analyse(Reader::Sailorpoints,
                      "[POINT_DATA]\npoint 0 = 1,1.79769313486232E+308,2,3\n[LINK_DATA]\n")
                  .outcome,
              AnalysisOutcome::Failed);
    EXPECT_EQ(Analyse(Reader::Sailorpoints,
                      "[POINT_DATA]\npoint 0 = 1,1.79769313486231E+308,2,3\n[LINK_DATA]\n")
                  .outcome,
              AnalysisOutcome::Valid);
}

// ---- Every limit, one step inside and one step outside

struct Limit {
    const char* text;
    AnalysisOutcome outcome;
};

TEST(HostileInput, EveryLimitOfTheWalkReaderOneStepInsideAndOutside) {
    const std::string point = "s_walk_verts[3] = 1;\n";
    const std::string link = "s_walk_graph[1] = (0)*256 + (1);\n";
    const Limit limits[] = {
        {"s_walk_verts[3002] = 1;", AnalysisOutcome::Valid},
        {"s_walk_verts[3003] = 1;", AnalysisOutcome::Failed},
        {"s_walk_verts[-1] = 1;", AnalysisOutcome::Failed},
        {"s_walk_verts[32767] = 1;", AnalysisOutcome::Failed},
        {"s_walk_verts[32768] = 1;", AnalysisOutcome::Failed},
        {"s_walk_types[1000] = 1;", AnalysisOutcome::Valid},
        {"s_walk_types[1001] = 1;", AnalysisOutcome::Failed},
        {"s_walk_graph[1000] = (1)*256 + (0);", AnalysisOutcome::Valid},
        {"s_walk_graph[1001] = (1)*256 + (0);", AnalysisOutcome::Failed},
        {"s_walk_graph[2] = (32767)*256 + (1000);", AnalysisOutcome::Valid},
        {"s_walk_graph[2] = (32768)*256 + (1000);", AnalysisOutcome::Failed},
        {"s_walk_graph[2] = (1)*256 + (-32768);", AnalysisOutcome::Valid},  // dropped
        {"s_walk_graph[2] = (1)*256 + (-32769);", AnalysisOutcome::Failed},
        {"float s_walk_verts[3003];", AnalysisOutcome::Valid},
        {"float s_walk_verts[3006];", AnalysisOutcome::Failed},
        {"int s_walk_types[1001];", AnalysisOutcome::Valid},
        {"int s_walk_types[1002];", AnalysisOutcome::Failed},
        {"int s_walk_graph[1001];", AnalysisOutcome::Valid},
        {"int s_walk_graph[1002];", AnalysisOutcome::Failed},
    };
    for (const Limit& limit : limits) {
        SCOPED_TRACE(limit.text);
        EXPECT_EQ(Analyse(Reader::Walk, point + limit.text + "\n" + link).outcome, limit.outcome);
    }
}

TEST(HostileInput, EveryLimitOfTheSailorpointsReaderOneStepInsideAndOutside) {
    const Limit limits[] = {
        {"point 1000 = 1,2,3,4", AnalysisOutcome::Valid},
        {"point 1001 = 1,2,3,4", AnalysisOutcome::Failed},
        {"point -1 = 1,2,3,4", AnalysisOutcome::Failed},
        {"point 32767 = 1,2,3,4", AnalysisOutcome::Failed},
        {"point 32768 = 1,2,3,4", AnalysisOutcome::Failed},
        {"link 1000 = 1,0", AnalysisOutcome::Valid},
        {"link 1001 = 1,0", AnalysisOutcome::Failed},
        {"link 2 = 32767,1", AnalysisOutcome::Valid},
        {"link 2 = 32768,1", AnalysisOutcome::Failed},
        {"link 2 = 1,-32768", AnalysisOutcome::Valid},  // dropped
        {"link 2 = 1,-32769", AnalysisOutcome::Failed},
    };
    for (const Limit& limit : limits) {
        SCOPED_TRACE(limit.text);
        const std::string text = "[POINT_DATA]\npoint 0 = 0,0,0,0\n[LINK_DATA]\nlink 0 = 0,1\n" +
                                 std::string(limit.text) + "\n";
        EXPECT_EQ(Analyse(Reader::Sailorpoints, text).outcome, limit.outcome);
    }
}

}  // namespace
}  // namespace walkconv
