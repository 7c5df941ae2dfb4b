#include "app/ship_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/graph_editing.h"
#include "core/text_file.h"
#include "support/analysed_graph.h"
#include "support/ship_model.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

using testing::Analysed;
using testing::ObjOfBoxes;
using testing::SampleShipBoxes;
using testing::TempDir;

TEST(ModelBeside, IsTheFirstModelFileNamedLikeTheGraphsFile) {
    struct Row {
        const char* graph;
        std::vector<const char*> files;
        const char* found;  // empty: none
    };
    const std::vector<Row> rows{
        {"brig_walk.c", {"brig.obj"}, "brig.obj"},
        {"brig1.ini", {"brig.gltf"}, "brig.gltf"},
        {"brig1.ini", {"brig.glb", "brig.obj"}, "brig.obj"},
        {"brig.txt", {"brig.glb"}, "brig.glb"},
        {"brig1.ini", {"brig1.obj", "brig.stl"}, ""},
        {"sloop_walk.c", {"brig.obj"}, ""},
        {"_walk.c", {".obj"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.graph);
        TempDir dir;
        for (const char* file : row.files) {
            dir.Write(file, "o");
        }
        const auto found = ModelBeside(dir.path() / row.graph);
        if (*row.found == '\0') {
            EXPECT_FALSE(found);
        } else {
            ASSERT_TRUE(found);
            EXPECT_EQ(found->filename(), row.found);
        }
    }
}

// A graph on the sample ship: point 0 on the main deck, point 1 floating above it, point 2 on
// the quarterdeck; the link from 0 to 2 runs through the quarterdeck's front.
GraphDocument ShipGraph() {
    auto graph = Analysed({{0, 2, 5, 1}, {1, 2.6, 5, 1}, {0, 3, 17, 1}}, {{0, 1}, {0, 2}});
    graph.state.ModelName = "brig";
    return DocumentOf(InputKind::Sailorpoints, graph.state, graph.details, nullptr);
}

bool Names(const Finding& finding, std::string_view code) {
    return finding.code == code;
}

TEST(GraphEditingWithModel, AModelBesideTheFileIsCheckedDrawnAndRepairedAgainst) {
    TempDir dir;
    dir.Write("brig.obj", ObjOfBoxes(SampleShipBoxes()));
    GraphEditing editing;
    editing.Open(ShipGraph(), Utf8FromPath(dir.path() / "brig1.ini"));
    ASSERT_NE(editing.Model(), nullptr);
    EXPECT_EQ(editing.Status(), "");
    const auto& content = *editing.Content();
    EXPECT_FALSE(content.drawing.model[0].Empty());

    const auto& findings = content.findings;
    const auto off = std::find_if(findings.begin(), findings.end(),
                                  [](const Finding& f) { return Names(f, "point-off-deck"); });
    ASSERT_NE(off, findings.end());
    EXPECT_EQ(off->points, std::vector<int>{1});
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(),
                            [](const Finding& f) { return Names(f, "link-through-model"); }));

    editing.Fix(static_cast<int>(off - findings.begin()));
    EXPECT_DOUBLE_EQ(editing.Document().points[1].y, 2);
    EXPECT_FALSE(std::any_of(editing.Content()->findings.begin(), editing.Content()->findings.end(),
                             [](const Finding& f) { return Names(f, "point-off-deck"); }));
}

TEST(GraphEditingWithModel, AModelThatCannotBeReadIsLeftOutWithAStatusMessage) {
    TempDir dir;
    dir.Write("brig.obj", "v 0 0 0\nf 1 2 3\n");
    GraphEditing editing;
    editing.Open(ShipGraph(), Utf8FromPath(dir.path() / "brig1.ini"));
    EXPECT_EQ(editing.Model(), nullptr);
    EXPECT_NE(editing.Status().find("brig.obj"), std::string::npos);
    EXPECT_TRUE(editing.Content()->drawing.model[0].Empty());
}

}  // namespace
}  // namespace walkconv::app
