// A failed analysis says why and where: the reason's code and text, the number as written, and
// the line and column of the statement (walk source) or word (sailorpoints file) read there.
#include <gtest/gtest.h>

#include <string>

#include "core/analysis.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/walk/walk_reader.h"
#include "support/state_listing.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

using testing::WithLineEnds;

struct FailureCase {
    const char* name;  // the input's file name; its ending chooses the reader
    std::string text;  // "\n" ends a line; each case runs again with "\r\n"
    const char* code;
    const char* message;
    const char* numberText;
    int line;
    int column;
};

TEST(FailurePlace, EveryReasonComesWithItsCodeNumberAndPlace) {
    const FailureCase cases[] = {
        {"big_walk.c", "s_walk_verts[0] = 1;\n        s_walk_verts[1] = 1E400;\n",
         "number-too-large", "number 1E400 is beyond the range of a 64-bit float", "1E400", 2, 9},
        {"wide_walk.c", "s_walk_verts[ 40000 ] = 1;", "not-16-bit",
         "index 40000 does not fit 16 bits (-32768..32767)", "40000", 1, 1},
        {"end_walk.c", "\ts_walk_graph[0] = (0)*256 + (-32769);", "not-16-bit",
         "link end -32769 does not fit 16 bits (-32768..32767)", "-32769", 1, 2},
        {"deck_walk.c", "\n\n  deck_walk_verts[3003] = 1;\n", "point-out-of-range",
         "point number 1001 is outside 0..1000 (index 3003)", "3003", 3, 3},
        {"low_walk.c", "s_walk_verts[-1] = 1;", "point-out-of-range",
         "point number -1 is outside 0..1000 (index -1)", "-1", 1, 1},
        {"type_walk.c", "s_walk_types[1001] = 1;", "type-out-of-range",
         "type index 1001 is outside 0..1000", "1001", 1, 1},
        {"link_walk.c", "s_walk_graph[1001] = (0)*256 + (1);", "link-out-of-range",
         "link number 1001 is outside 0..1000", "1001", 1, 1},
        {"many_walk.c", "s_walk_verts[3] = 1;\nint s_walk_graph[2000];\n", "too-many-links",
         "2000 links, more than the 1001 the tables hold", "", 2, 1},
        // One line: only the column tells the statements apart.
        {"one_walk.c", "a_walk_verts[0] = 1; a_walk_verts[1] = 2;  a_walk_types[5000] = 1;",
         "type-out-of-range", "type index 5000 is outside 0..1000", "5000", 1, 44},
        {"ab.c", "s_walk_verts[3] = 1;", "file-name-too-short",
         "the file name \"ab.c\" is too short to name a model (fewer than 7 characters)", "", 0, 0},
        {"deck1.ini", "[POINT_DATA]\npoint 1001 = 1,2,3,4\n", "point-out-of-range",
         "point number 1001 is outside 0..1000", "1001", 2, 1},
        {"deck1.ini", "[POINT_DATA]\n  Point 99999 = 1,2,3,4\n", "not-16-bit",
         "point number 99999 does not fit 16 bits (-32768..32767)", "99999", 2, 3},
        {"deck1.ini", "[LINK_DATA]\nlink 0 = 0, 40000\n", "not-16-bit",
         "link end 40000 does not fit 16 bits (-32768..32767)", "40000", 2, 1},
        {"deck1.ini", "[LINK_DATA]\npoint 0 = 1,2,3,4 link 2000 = 0,1\n", "link-out-of-range",
         "link number 2000 is outside 0..1000", "2000", 2, 19},
        {"deck1.ini", "[POINT_DATA]\npoint 0 = 1e999,2,3,4\n", "number-too-large",
         "number 1e999 is beyond the range of a 64-bit float", "1e999", 2, 1},
        {"a.in", "[POINT_DATA]\n", "file-name-too-short",
         "the file name \"a.in\" is too short to name a model (fewer than 5 characters)", "", 0, 0},
    };
    testing::TempDir dir;
    for (const FailureCase& c : cases) {
        for (const std::string ending : {"\n", "\r\n"}) {
            SCOPED_TRACE(std::string(c.name) + (ending == "\n" ? " LF: " : " CR LF: ") + c.text);
            const std::string path = dir.Write(c.name, WithLineEnds(c.text, ending)).string();
            ConversionState state;
            AnalysisDetails details;
            const bool walk = std::string(c.name).ends_with(".c");
            const AnalysisOutcome outcome = walk ? AnalyseWalk(path, state, &details)
                                                 : AnalyseSailorpoints(path, state, &details);
            ASSERT_EQ(outcome, AnalysisOutcome::Failed);
            EXPECT_EQ(details.failure.code, c.code);
            EXPECT_EQ(details.failure.message, c.message);
            EXPECT_EQ(details.failure.numberText, c.numberText);
            EXPECT_EQ(details.failure.line, c.line);
            EXPECT_EQ(details.failure.column, c.column);
        }
    }
}

// The failing line goes with the failure, cut to at most 200 bytes around the column.
TEST(FailurePlace, TheLineGoesWithItCutAroundTheColumn) {
    const std::string bad = "s_walk_types[1001] = 1;";
    struct Case {
        std::string line;
        std::string shownStart;  // what the shown text begins with
        bool cutAfter;
    };
    const Case cases[] = {
        {"  " + bad, "  " + bad, false},
        {std::string(840, ' ') + bad, "...", false},
        {bad + " " + std::string(500, 'x'), bad, true},
    };
    testing::TempDir dir;
    for (const Case& c : cases) {
        ConversionState state;
        AnalysisDetails details;
        ASSERT_EQ(AnalyseWalk(dir.Write("s_walk.c", c.line + "\n").string(), state, &details),
                  AnalysisOutcome::Failed);
        const Failure& f = details.failure;
        EXPECT_LE(f.lineText.size(), 206u);
        EXPECT_TRUE(f.lineText.starts_with(c.shownStart)) << f.lineText;
        EXPECT_EQ(f.lineText.ends_with("..."), c.cutAfter);
        EXPECT_EQ(f.lineText.substr(static_cast<std::size_t>(f.lineTextColumn - 1), bad.size()),
                  bad);
    }
}

}  // namespace
}  // namespace walkconv
