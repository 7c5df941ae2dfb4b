// Walk sources as a C compiler sees them: gcc compiles a few generated sources, written with
// comments of every kind and every spelling of a link, with a harness that runs their init
// function and prints the arrays; the reader must read the same graph from the text.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/walk/walk_reader.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

using testing::TempDir;

constexpr char kCompiler[] = WALKCONV_HOST_CC;

struct LinkEnds {
    int a;
    int b;
};

const LinkEnds kLinks[] = {{0, 1}, {1, 2},   {2, 3},   {3, 0}, {0, 2}, {300, 7},
                           {0, 0}, {0, 255}, {255, 0}, {1, 0}, {3, 1}};
const char* const kCoordinates[] = {"1.5", "-2.25", "0.1",  "1e-3", "12345.678", "0",
                                    "7",   "-0.5",  "3.25", "100",  "0.3",       "-8"};
const int kTypes[] = {0, 1, 4, 5};

// Link `ends` written in the spelling numbered `form`.
std::string LinkText(const LinkEnds& ends, int form) {
    const std::string a = std::to_string(ends.a);
    const std::string b = std::to_string(ends.b);
    const int n = ends.a * 256 + ends.b;
    char number[32];
    switch (form % 11) {
        case 0:
            return "(" + a + ")*256 + (" + b + ")";
        case 1:
            return a + "*256 + " + b;
        case 2:
            return a + "*256+" + b;
        case 3:
            return "(" + a + "*256)+" + b;
        case 4:
            return " ( " + a + " ) * 256 + " + b + " ";
        case 5:
            return "((" + a + "))*(256)+(" + b + ")";
        case 6:
            return "(" + a + "*256 + " + b + ")";
        case 7:
            return std::to_string(n);
        case 8:
            return "(" + std::to_string(n) + ")";
        case 9:
            std::snprintf(number, sizeof number, "0x%X", static_cast<unsigned>(n));
            return number;
        default:
            std::snprintf(number, sizeof number, "0%o", static_cast<unsigned>(n));
            return number;
    }
}

// The walk source of variant `v` for the model "keel", its lines ended by `eol`: the links in
// other spellings from variant to variant, with statements hidden in comments all around.
std::string GeneratedWalk(int v, const std::string& eol) {
    std::vector<std::string> graph;
    for (int i = 0; i < static_cast<int>(std::size(kLinks)); ++i) {
        graph.push_back(LinkText(kLinks[i], i + 3 * v));
    }
    graph.insert(graph.begin() + v, v % 2 == 0 ? "-1" : "(0)*256 + (-1)");  // dropped
    std::string s = "/* keel_walk.c, kept by hand" + eol +
                    "   keel_walk_graph[0] = (9)*256 + (9);" + eol + "*/" + eol;
    s += "int keel_walk_count; // keel_walk_verts[99] = 1;" + eol;
    s += "float keel_walk_verts[12];" + eol + "int keel_walk_types[4];" + eol;
    s += "int keel_walk_graph[" + std::to_string(graph.size()) + "];" + eol;
    s += "static const char* keel_note = \"a // b /* c\"; /* after a string */" + eol;
    s += "void keel_walk_init()" + eol + "{" + eol;
    s += "    keel_walk_count = 4; // walk_verts: x, y, z" + eol;
    for (int k = 0; k < 12; ++k) {
        const std::string index = std::to_string(k);
        const std::string value = kCoordinates[k];
        switch (k % 3) {
            case 0:
                s += "    keel_walk_verts[" + index + "] = " + value + "; // keel_walk_verts[" +
                     index + "] = 99;";
                break;
            case 1:
                s += "    /* keel_walk_verts[" + index + "] = 98; */ keel_walk_verts[" + index +
                     "] = " + value + ";";
                break;
            default:
                s += "    keel_walk_verts[" + index + "] /* = 97 */ = " + value + ";";
                break;
        }
        s += eol;
    }
    s += "    // the types follow \\" + eol + "    keel_walk_types[1] = 98;" + eol;
    for (int i = 0; i < 4; ++i) {
        s += "    keel_walk_types[" + std::to_string(i) + "] = " + std::to_string(kTypes[i]) + ";" +
             eol;
    }
    s +=
        "    /* across lines" + eol + "       keel_walk_graph[1] = (8)*256 + (8);" + eol + "    */";
    for (std::size_t i = 0; i < graph.size(); ++i) {
        s += " keel_walk_graph[" + std::to_string(i) + "] = " + graph[i] + ";";
        s += (i % 2 == 0 ? " // was keel_walk_graph[" + std::to_string(i) + "] = (7)*256 + (7);"
                         : "") +
             eol;
    }
    return s + "}" + eol;
}

constexpr char kHarness[] = R"(#include <stdio.h>
#include "keel_walk.c"
#define COUNT(a) (int)(sizeof(a) / sizeof((a)[0]))
int main(void) {
    int i;
    keel_walk_init();
    printf("%d %d %d\n", COUNT(keel_walk_verts), COUNT(keel_walk_types), COUNT(keel_walk_graph));
    for (i = 0; i < COUNT(keel_walk_verts); ++i) printf("%.9g\n", keel_walk_verts[i]);
    for (i = 0; i < COUNT(keel_walk_types); ++i) printf("%d\n", keel_walk_types[i]);
    for (i = 0; i < COUNT(keel_walk_graph); ++i) printf("%d\n", keel_walk_graph[i]);
    return 0;
}
)";

// What the compiled init function leaves in the three arrays.
struct Compiled {
    std::vector<float> verts;
    std::vector<int> types;
    std::vector<int> graph;
};

Compiled CompileAndRun(const TempDir& dir) {
    const std::string exe = (dir.path() / "harness").string();
    const std::string out = (dir.path() / "arrays.txt").string();
    const std::string harness = dir.Write("harness.c", kHarness).string();
    const std::string compile =
        "\"" + std::string(kCompiler) + "\" -o \"" + exe + "\" \"" + harness + "\"";
    EXPECT_EQ(std::system(compile.c_str()), 0) << compile;
    EXPECT_EQ(std::system(("\"" + exe + "\" > \"" + out + "\"").c_str()), 0);
    std::istringstream arrays(TempDir::Read(out));
    std::size_t verts = 0, types = 0, graph = 0;
    arrays >> verts >> types >> graph;
    Compiled c{std::vector<float>(verts), std::vector<int>(types), std::vector<int>(graph)};
    for (float& x : c.verts)
        arrays >> x;
    for (int& t : c.types)
        arrays >> t;
    for (int& g : c.graph)
        arrays >> g;
    EXPECT_TRUE(arrays) << "the harness printed less than it declared";
    return c;
}

TEST(CompiledWalkSource, TheReaderReadsTheGraphThatTheCompiledInitFunctionFills) {
    if (testing::kOnWindows || std::string(kCompiler).empty() ||
        std::string(kCompiler).ends_with("NOTFOUND")) {
        GTEST_SKIP() << "no C compiler of the build machine to run here";
    }
    const std::string endings[] = {"\n", "\r\n", "\r", "\n"};
    for (int v = 0; v < 4; ++v) {
        SCOPED_TRACE("variant " + std::to_string(v));
        TempDir dir;
        const std::string path = dir.Write("keel_walk.c", GeneratedWalk(v, endings[v])).string();
        const Compiled c = CompileAndRun(dir);
        ConversionState state;
        ASSERT_EQ(AnalyseWalk(path, state, nullptr, nullptr, TypeCodes::OwnKind),
                  AnalysisOutcome::Valid);

        ASSERT_EQ(c.verts.size(), 12u);
        EXPECT_EQ(state.PointCount, 4);
        EXPECT_EQ(c.types.size(), 4u);
        for (int i = 0; i < state.PointCount; ++i) {
            const Point& p = state.Points[i];
            EXPECT_EQ(static_cast<float>(p.x), c.verts[3 * i]) << "point " << i;
            EXPECT_EQ(static_cast<float>(p.y), c.verts[3 * i + 1]) << "point " << i;
            EXPECT_EQ(static_cast<float>(p.z), c.verts[3 * i + 2]) << "point " << i;
            EXPECT_EQ(p.type, c.types[static_cast<std::size_t>(i)]) << "point " << i;
        }
        // The reader drops the links with a negative end, whose values are negative.
        std::vector<int> kept;
        for (const int value : c.graph) {
            if (value >= 0) {
                kept.push_back(value);
            }
        }
        ASSERT_EQ(state.LinkCount, static_cast<int>(kept.size()));
        for (int i = 0; i < state.LinkCount; ++i) {
            EXPECT_EQ(state.Links[i].from * 256 + state.Links[i].to,
                      kept[static_cast<std::size_t>(i)])
                << "link " << i;
        }
    }
}

}  // namespace
}  // namespace walkconv
