// The findings beyond the texts that `walkconv check` prints (tests/cli/check_test.cpp): padding
// links, separate groups, and the code, severity and items each finding carries.
#include "core/findings/findings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/walk/walk_reader.h"
#include "support/analysed_graph.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

using testing::Analysed;
using testing::Ends;

// "code: message" of every finding with one of `codes`, in order; notes marked as such.
std::vector<std::string> Listed(const std::vector<Finding>& findings,
                                const std::set<std::string_view>& codes) {
    std::vector<std::string> out;
    for (const Finding& f : findings) {
        if (codes.contains(f.code)) {
            out.push_back((f.severity == FindingSeverity::Note ? "note " : "") +
                          std::string(f.code) + ": " + f.message);
        }
    }
    return out;
}

struct DropCase {
    const char* name;
    std::vector<Ends> links;
    std::vector<std::string> expected;
};

TEST(Findings, TrailingLinksWithBothEndsMinusOneArePaddingAndOtherNegativeEndsAreWarnings) {
    const std::vector<DropCase> cases{
        {"two after the last link",
         {{0, 1}, {1, 2}, {-1, -1}, {-1, -1}},
         {"note padding-links: 2 padding links after link 1"}},
        {"one", {{0, 1}, {1, 2}, {-1, -1}}, {"note padding-links: 1 padding link after link 1"}},
        {"among the links as well",
         {{0, 1}, {-1, -1}, {1, 2}, {2, 0}, {-1, -1}, {-1, -1}},
         {"negative-end: 1 link with a negative end was dropped",
          "note padding-links: 2 padding links after link 3"}},
        {"one end only, after the last link",
         {{0, 1}, {1, 2}, {0, -1}, {-1, -1}},
         {"negative-end: 1 link with a negative end was dropped",
          "note padding-links: 1 padding link after link 1"}},
        {"other negative values",
         {{0, 1}, {1, 2}, {-2, -2}, {-1, -2}},
         {"negative-end: 2 links with a negative end were dropped"}},
        {"nothing but padding",
         {{-1, -1}, {-1, -1}},
         {"note padding-links: 2 padding links, and no link joins two points"}},
        {"no negative end", {{0, 1}, {1, 2}}, {}},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::AnalysedGraph a = Analysed(3, c.links);
        EXPECT_EQ(Listed(CollectFindings(a.state, a.details, nullptr),
                         {finding_code::kNegativeEnd, finding_code::kPaddingLinks}),
                  c.expected);
    }
}

TEST(Findings, PaddingIsToldApartInFilesOfBothFormats) {
    const testing::TempDir dir;
    const std::string walk = dir.Write("pad_walk.c",
                                       "float pad_walk_verts[9];\nint pad_walk_graph[6];\n"
                                       "pad_walk_verts[0] = 1; pad_walk_verts[8] = 2;\n"
                                       "pad_walk_graph[0] = (0)*256 + (1);\n"
                                       "pad_walk_graph[1] = (-1)*256 + (2);\n"
                                       "pad_walk_graph[2] = (1)*256 + (2);\n"
                                       "pad_walk_graph[3] = (-1)*256 + (-1);\n"
                                       "pad_walk_graph[4] = (-1)*256 + (-1);\n"
                                       "pad_walk_graph[5] = (-1)*256 + (-1);\n")
                                 .string();
    const std::string ini = dir.Write("pad1.ini",
                                      "[POINT_DATA]\npoint 0 = 0,0,0,1\npoint 1 = 1,0,0,1\n"
                                      "point 2 = 2,0,0,1\n[LINK_DATA]\nlink 0 = 0,1\n"
                                      "link 1 = -1,2\nlink 2 = 1,2\nlink 3 = -1,-1\n"
                                      "link 4 = -1,-1\nlink 5 = -1,-1\n")
                                .string();
    for (const bool isWalk : {true, false}) {
        ConversionState state;
        AnalysisDetails details;
        WalkSourceFacts facts;
        const AnalysisOutcome outcome = isWalk ? AnalyseWalk(walk, state, &details, &facts)
                                               : AnalyseSailorpoints(ini, state, &details);
        ASSERT_EQ(outcome, AnalysisOutcome::Valid);
        EXPECT_EQ(Listed(CollectFindings(state, details, isWalk ? &facts : nullptr),
                         {finding_code::kNegativeEnd, finding_code::kPaddingLinks}),
                  (std::vector<std::string>{"negative-end: 1 link with a negative end was dropped",
                                            "note padding-links: 3 padding links after link 2"}))
            << (isWalk ? "walk source" : "sailorpoints file");
    }
}

// Links written as one number are notes, with the link of the state and the statement they
// concern; nothing else about them is a warning of its own.
TEST(Findings, ALinkWrittenAsOneNumberIsANote) {
    const testing::TempDir dir;
    const std::string walk = dir.Write("one_walk.c",
                                       "float one_walk_verts[9];\nint one_walk_graph[5];\n"
                                       "one_walk_graph[0] = -1;\n"
                                       "one_walk_graph[1] = 1;\n"
                                       "one_walk_graph[2] = 0*256 + 2;\n"
                                       "  one_walk_graph[3] = 517; one_walk_graph[4] = 512;\n"
                                       "one_walk_graph[4] = (2)*256 + (1);\n")
                                 .string();
    ConversionState state;
    AnalysisDetails details;
    WalkSourceFacts facts;
    ASSERT_EQ(AnalyseWalk(walk, state, &details, &facts), AnalysisOutcome::Valid);
    std::vector<std::string> notes;
    for (const Finding& f : CollectFindings(state, details, &facts)) {
        if (f.code == finding_code::kOneNumberLink) {
            EXPECT_EQ(f.severity, FindingSeverity::Note);
            notes.push_back(f.message + " | link " + (f.link ? std::to_string(*f.link) : "none") +
                            " at " + std::to_string(f.place->line) + ":" +
                            std::to_string(f.place->column));
        }
    }
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "link 0 is written as one number, -1: it has a negative end and is "
                         "dropped | link none at 3:1",
                         "link 1 is written as one number, 1: read as 0-1 | link 0 at 4:1",
                         "link 3 is written as one number, 517: read as 2-5 | link 2 at 6:3",
                         // Written again later as (2)*256 + (1): the note has no link of the state.
                         "link 4 is written as one number, 512: read as 2-0 | link none at 7:1",
                     }));
}

struct GroupCase {
    const char* name;
    int points;
    std::vector<Ends> links;
    std::vector<std::string> expected;
};

// A chain of links through the points first..last.
std::vector<Ends> Chain(int first, int last) {
    std::vector<Ends> links;
    for (int i = first; i < last; ++i) {
        links.emplace_back(i, i + 1);
    }
    return links;
}

std::vector<Ends> Joined(std::vector<Ends> a, const std::vector<Ends>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Findings, EveryGroupButTheLargestHasNoPathToTheRest) {
    const std::vector<GroupCase> cases{
        {"one group", 3, Chain(0, 2), {}},
        {"equal groups: the one with the lowest point counts as the largest",
         4,
         {{2, 3}, {0, 1}},
         {"points 2, 3 (2 points) have no path to the rest"}},
        {"the largest group comes later",
         5,
         {{0, 1}, {2, 3}, {4, 3}},
         {"points 0, 1 (2 points) have no path to the rest"}},
        {"reports ordered by their lowest point",
         8,
         {{6, 5}, {2, 3}, {3, 4}, {0, 1}, {7, 7}},
         {"points 0, 1 (2 points) have no path to the rest",
          "points 5, 6 (2 points) have no path to the rest", "point 7 has no path to the rest"}},
        {"ten numbers at most",
         26,
         Joined(Chain(0, 11), Chain(12, 25)),
         {"points 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, \u2026 (12 points) have no path to the rest"}},
        {"exactly ten numbers",
         21,
         Joined(Chain(0, 9), Chain(10, 20)),
         {"points 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 (10 points) have no path to the rest"}},
        {"a point touched by no link is no group", 4, Chain(0, 2), {}},
        {"an end beyond the points joins nothing",
         3,
         {{0, 1}, {1, 7}, {2, 9}},
         {"point 2 has no path to the rest"}},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::AnalysedGraph a = Analysed(c.points, c.links);
        EXPECT_EQ(
            Listed(CollectFindings(a.state, a.details, nullptr), {finding_code::kSeparateGroup}),
            [&] {
                std::vector<std::string> withCode;
                for (const std::string& message : c.expected) {
                    withCode.push_back("separate-group: " + message);
                }
                return withCode;
            }());
    }
}

TEST(Findings, EachFindingNamesTheItemsItConcernsInTheOrderOfTheKinds) {
    // Links as the file numbers them: 0-1, 1-2, 2-2, 2-1, 1-9, [-1,-1], 3-4, 2-300, [-1,-1];
    // the state numbers them without the two dropped ones.
    const testing::AnalysedGraph a =
        Analysed(6, {{0, 1}, {1, 2}, {2, 2}, {2, 1}, {1, 9}, {-1, -1}, {3, 4}, {2, 300}, {-1, -1}});
    WalkSourceFacts facts;
    facts.wideLinks = {7, 7};
    facts.assignedVerts = 18;
    facts.assignedGraph = 9;
    facts.assignedCount = 5;
    facts.declaredGraph = 8;

    struct Expected {
        std::string_view code;
        std::vector<int> points;
        std::optional<int> link;
    };
    const std::vector<Expected> expected{
        {finding_code::kLinkBeyondPoints, {}, 4},
        {finding_code::kLinkBeyondPoints, {}, 6},
        {finding_code::kSelfLink, {}, 2},
        {finding_code::kDuplicateLink, {}, 3},
        {finding_code::kUntouchedPoint, {5}, {}},
        {finding_code::kSeparateGroup, {3, 4}, {}},
        {finding_code::kWideLink, {}, 6},
        {finding_code::kNegativeEnd, {}, {}},
        {finding_code::kPaddingLinks, {}, {}},
        {finding_code::kCountMismatch, {}, {}},
        {finding_code::kDeclaredSizeMismatch, {}, {}},
    };
    const std::vector<Finding> findings = CollectFindings(a.state, a.details, &facts);
    ASSERT_EQ(findings.size(), expected.size());
    for (std::size_t i = 0; i < findings.size(); ++i) {
        SCOPED_TRACE(findings[i].message);
        EXPECT_EQ(findings[i].code, expected[i].code);
        EXPECT_EQ(findings[i].points, expected[i].points);
        EXPECT_EQ(findings[i].link, expected[i].link);
        const bool note = findings[i].code == finding_code::kPaddingLinks;
        EXPECT_EQ(findings[i].severity, note ? FindingSeverity::Note : FindingSeverity::Warning);
    }
    // Without walk facts, the checks of walk sources are left out.
    EXPECT_EQ(CollectFindings(a.state, a.details, nullptr).size(), expected.size() - 3);
}

TEST(Findings, KindsHaveDistinctCodesOfLowerCaseWords) {
    std::set<std::string_view> codes;
    for (const FindingKind& kind : FindingKinds()) {
        EXPECT_TRUE(codes.insert(kind.code).second) << kind.code;
        EXPECT_EQ(kind.code.find_first_not_of("abcdefghijklmnopqrstuvwxyz-"), std::string::npos)
            << kind.code;
    }
}

// A finding about one link points to the statement (walk source) or line (sailorpoints file)
// that stored it, and its message numbers every link as the file does, before any was dropped.
TEST(Findings, FindingsAboutOneLinkPointToWhereTheFileStoresIt) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> expected;  // "line:column code: message" of each with a place
    };
    const Case cases[] = {
        {"ship_walk.c",
         "int ship_walk_verts[9];\n"
         "int ship_walk_graph[5];\n"
         "ship_walk_graph[0] = (0)*256 + (-1); ship_walk_graph[1] = (0)*256 + (1);\n"
         "  ship_walk_graph[2] = (1)*256 + (1);\n"
         "  ship_walk_graph[3] = (1)*256 + (0);\n"
         "  ship_walk_graph[4] = (2)*256 + (7);\n",
         {"6:3 link-beyond-points: link 4 joins points 2 and 7, but the file has only 3 points",
          "4:3 self-link: link 2 joins point 1 to itself",
          "5:3 duplicate-link: link 3 joins points 1 and 0, as link 1 does already",
          "3:1 negative-end: 1 link with a negative end was dropped"}},
        {"ship1.ini",
         "[POINT_DATA]\npoint 0 = 0,0,0,0\npoint 1 = 0,0,0,0\n[LINK_DATA]\n"
         "link 0 = 0,-1\n  link 1 = 1,1\nlink 2 = 1,0\nlink 3 = 0,1\n",
         {"6:3 self-link: link 1 joins point 1 to itself",
          "8:1 duplicate-link: link 3 joins points 0 and 1, as link 2 does already",
          "5:1 negative-end: 1 link with a negative end was dropped"}},
    };
    testing::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write(c.name, c.text).string();
        ConversionState state;
        AnalysisDetails details;
        WalkSourceFacts facts;
        const bool walk = std::string(c.name).ends_with(".c");
        ASSERT_EQ(walk ? AnalyseWalk(path, state, &details, &facts)
                       : AnalyseSailorpoints(path, state, &details),
                  AnalysisOutcome::Valid);
        std::vector<std::string> placed;
        for (const Finding& f : CollectFindings(state, details, walk ? &facts : nullptr)) {
            if (f.place) {
                placed.push_back(std::to_string(f.place->line) + ":" +
                                 std::to_string(f.place->column) + " " + std::string(f.code) +
                                 ": " + f.message);
            }
        }
        EXPECT_EQ(placed, c.expected);
    }
}

}  // namespace
}  // namespace walkconv
