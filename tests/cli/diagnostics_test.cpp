// Where an input is broken, as compilers say it: "INPUT:LINE:COLUMN: error: REASON", the line
// and a caret under the column; warnings about one statement name its place too.
#include <gtest/gtest.h>

#include <string>

#include "cli/walkconv_fixture.h"
#include "support/state_listing.h"

namespace walkconv::testing {
namespace {

class DiagnosticsTest : public WalkconvTest {};

struct DiagnosticCase {
    const char* command;
    const char* name;
    std::string text;      // "\n" ends a line; each case runs again with "\r\n"
    int status;            // 2 for a failure, 0 for a warning
    std::string expected;  // stderr
};

TEST_F(DiagnosticsTest, FailuresAndStatementWarningsNameTheirPlace) {
    const std::string longLine = std::string(300, ' ') + "x_walk_verts[3003] = 1;";
    const DiagnosticCase cases[] = {
        {"to-ini", "deck_walk.c",
         "deck_walk_verts[0] = 1;\n\tdeck_walk_graph[0] = (0)*256 + (1E999);\n", 2,
         "deck_walk.c:2:2: error: number 1E999 is beyond the range of a 64-bit float\n"
         "\tdeck_walk_graph[0] = (0)*256 + (1E999);\n"
         "\t^\n"},
        // One line: the column alone tells the statements apart.
        {"to-ini", "one_walk.c", "a_walk_verts[0] = 1; a_walk_graph[2000] = (0)*256 + (1);", 2,
         "one_walk.c:1:22: error: link number 2000 is outside 0..1000\n"
         "a_walk_verts[0] = 1; a_walk_graph[2000] = (0)*256 + (1);\n"
         "                     ^\n"},
        // The last 200 bytes of a longer line, since the statement stands at its end.
        {"to-ini", "long_walk.c", longLine, 2,
         "long_walk.c:1:301: error: point number 1001 is outside 0..1000 (index 3003)\n..." +
             longLine.substr(123) + "\n" + std::string(180, ' ') + "^\n"},
        {"to-ini", "ab.c", "x_walk_verts[3] = 1;", 2,
         "ab.c: error: the file name \"ab.c\" is too short to name a model (fewer than 7 "
         "characters)\n"},
        {"to-walk", "deck1.ini", "[POINT_DATA]\n  point 0 = 1,2,3,4 link 70000 = 0,1\n", 2,
         "deck1.ini:2:21: error: link number 70000 does not fit 16 bits (-32768..32767)\n"
         "  point 0 = 1,2,3,4 link 70000 = 0,1\n"
         "                    ^\n"},
        {"check", "loop1.ini",
         "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 1,0,0,0\n[LINK_DATA]\nlink 0 = 0,1\n"
         " link 1 = 1,1\n",
         0, "loop1.ini:6:2: warning: link 1 joins point 1 to itself\n"},
    };
    for (const DiagnosticCase& c : cases) {
        for (const std::string ending : {"\n", "\r\n"}) {
            SCOPED_TRACE(std::string(c.name) + (ending == "\n" ? " LF" : " CR LF"));
            Write(c.name, WithLineEnds(c.text, ending));
            const WalkconvRun run = Walkconv({c.command, c.name});
            EXPECT_EQ(run.status, c.status);
            EXPECT_EQ(run.err, c.expected);
        }
    }
}

}  // namespace
}  // namespace walkconv::testing
