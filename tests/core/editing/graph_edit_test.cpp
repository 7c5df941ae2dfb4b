// Edits of a graph document: each applied, undone and redone, with the renumbering of points
// and links; and the edits the document refuses, which leave it as it was.
#include "core/editing/graph_edit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "support/document_ends.h"

namespace walkconv {
namespace {

using Ends = std::pair<int, int>;
using testing::EndsOf;

// The model "ship": point i at (i, 0, 0) with type i, and the links as the file numbers them.
GraphDocument Document(int points, const std::vector<Ends>& links) {
    GraphDocument document;
    document.modelName = "ship";
    for (int i = 0; i < points; ++i) {
        document.points.push_back(Point{static_cast<double>(i), 0, 0, static_cast<double>(i)});
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        document.links.push_back({Link{static_cast<std::int16_t>(links[i].first),
                                       static_cast<std::int16_t>(links[i].second)},
                                  static_cast<int>(i)});
    }
    return document;
}

// The x of each point, which names the point it was in Document().
std::vector<double> XsOf(const GraphDocument& document) {
    std::vector<double> xs;
    for (const Point& point : document.points) {
        xs.push_back(point.x);
    }
    return xs;
}

struct EditCase {
    const char* name;
    Edit edit;
    std::vector<double> xs;  // the points afterwards, by their x
    std::vector<Ends> links;
};

TEST(GraphEdit, EachEditAppliesAndItsUndoGivesBackTheDocumentAndItsRedoTheEdit) {
    const GraphDocument start = Document(5, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {1, 3}});
    const std::vector<Ends> same = EndsOf(start);
    const std::vector<EditCase> cases{
        {"move", MovePoint{2, 7, 8, 9}, {0, 1, 7, 3, 4}, same},
        {"type", SetPointType{0, 10}, {0, 1, 2, 3, 4}, same},
        {"add a point", AddPoint{Point{9, 9, 9, 1}}, {0, 1, 2, 3, 4, 9}, same},
        {"insert a point",
         InsertPoint{1, Point{9, 0, 0, 0}},
         {0, 9, 1, 2, 3, 4},
         {{0, 2}, {2, 3}, {3, 4}, {4, 5}, {2, 4}}},
        {"remove a point with its links", RemovePoint{1}, {0, 2, 3, 4}, {{1, 2}, {2, 3}}},
        {"remove the last point", RemovePoint{4}, {0, 1, 2, 3}, {{0, 1}, {1, 2}, {2, 3}, {1, 3}}},
        {"add a link",
         AddLink{4, 0},
         {0, 1, 2, 3, 4},
         {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {1, 3}, {4, 0}}},
        {"insert a link beyond the points",
         InsertLink{0, DocumentLink{Link{9, 9}}},
         {0, 1, 2, 3, 4},
         {{9, 9}, {0, 1}, {1, 2}, {2, 3}, {3, 4}, {1, 3}}},
        {"remove a link", RemoveLink{1}, {0, 1, 2, 3, 4}, {{0, 1}, {2, 3}, {3, 4}, {1, 3}}},
        {"a group",
         EditGroup{{RemoveLink{4}, RemoveLink{0}, AddPoint{}, AddLink{5, 0}}},
         {0, 1, 2, 3, 4, 0},
         {{1, 2}, {2, 3}, {3, 4}, {5, 0}}},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        GraphDocument document = start;
        const EditResult applied = ApplyEdit(document, c.edit);
        ASSERT_TRUE(applied.Applied()) << applied.refusal;
        EXPECT_EQ(XsOf(document), c.xs);
        EXPECT_EQ(EndsOf(document), c.links);
        const GraphDocument edited = document;
        const EditResult undone = ApplyEdit(document, *applied.undo);
        ASSERT_TRUE(undone.Applied()) << undone.refusal;
        EXPECT_EQ(document, start);  // links with the file's numbers they had
        ASSERT_TRUE(ApplyEdit(document, *undone.undo).Applied());
        EXPECT_EQ(document, edited);
    }
    GraphDocument moved = start;
    ApplyEdit(moved, MovePoint{2, 7, 8, 9});
    ApplyEdit(moved, SetPointType{2, 5});
    EXPECT_EQ(moved.points[2], (Point{7, 8, 9, 5}));
    EXPECT_EQ(moved.links[0].fileNumber, 0);
    ApplyEdit(moved, AddLink{0, 2});
    EXPECT_EQ(moved.links.back().fileNumber, DocumentLink::kNotInFile);
}

struct RefusalCase {
    const char* name;
    GraphDocument document;
    Edit edit;
    std::string reason;
};

TEST(GraphEdit, AnEditTheFilesCannotHoldIsRefusedWithItsReasonAndChangesNothing) {
    const GraphDocument small = Document(5, {{0, 1}, {1, 2}, {2, 3}, {3, 4}});
    GraphDocument full = Document(1001, {{0, 1}});
    for (int i = 1; i < 1001; ++i) {
        full.links.push_back({Link{0, 1}});
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double largest = std::numeric_limits<double>::max();
    const std::vector<RefusalCase> cases{
        {"no such point", small, MovePoint{5, 0, 0, 0},
         "there is no point 5 (the points are 0..4)"},
        {"not a number", small, MovePoint{0, nan, 0, 0},
         "x = NAN is not a number the files can hold"},
        {"infinite type", small, SetPointType{0, std::numeric_limits<double>::infinity()},
         "type = INF is not a number the files can hold"},
        {"written beyond the largest double", small, MovePoint{0, 0, largest, 0},
         "y = 1.79769313486232E+308 is beyond the largest number the readers take back"},
        {"a link to no point", small, AddLink{0, 5},
         "point 5 does not exist (the points are 0..4)"},
        {"no such link", small, RemoveLink{4}, "there is no link 4 (the links are 0..3)"},
        {"the last link", Document(2, {{0, 1}}), RemoveLink{0},
         "removing link 0 would leave no link, and a file without links is not valid"},
        {"a point every link touches", Document(3, {{0, 1}, {1, 2}}), RemovePoint{1},
         "removing point 1 would leave no link, since every link touches it"},
        {"the last point", Document(1, {{0, 0}}), RemovePoint{0},
         "removing point 0 would leave no point"},
        {"a point too many", full, AddPoint{},
         "the graph holds 1001 points already, as many as a file can hold"},
        {"a link too many", full, AddLink{0, 1},
         "the graph holds 1001 links already, as many as a file can hold"},
        {"a negative end", small, InsertLink{0, DocumentLink{Link{0, -1}}},
         "a link cannot end at point -1"},
        {"no such place", small, InsertPoint{6, Point{}}, "there is no place 6 for a point (0..5)"},
        {"an end that cannot grow", Document(2, {{0, 32767}}), InsertPoint{1, Point{}},
         "link 0 ends at point 32767, which cannot be numbered one higher"},
        {"a group with a refused step, after steps that applied", small,
         EditGroup{{RemoveLink{0}, AddPoint{}, EditGroup{{RemovePoint{0}}}, MovePoint{9, 0, 0, 0}}},
         "there is no point 9 (the points are 0..4)"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        GraphDocument document = c.document;
        const EditResult result = ApplyEdit(document, c.edit);
        EXPECT_FALSE(result.Applied());
        EXPECT_EQ(result.refusal, c.reason);
        EXPECT_EQ(document, c.document);
    }
}

}  // namespace
}  // namespace walkconv
