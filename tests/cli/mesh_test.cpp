// check, fix and render with the ship's model: its options and placement, the findings against
// it, the repair fix makes, the model in the picture, and a model that cannot be read.
#include <gtest/gtest.h>

#include <string>

#include "cli/walkconv_fixture.h"
#include "support/ship_model.h"

namespace walkconv::testing {
namespace {

class MeshTest : public WalkconvTest {
  protected:
    void SetUp() override {
        WalkconvTest::SetUp();
        Write("brig.obj", ObjOfBoxes(SampleShipBoxes()));
        Write("brig1.ini", kBrigIni);
    }

    // On the sample ship: point 1 floats over the main deck, link 1 runs through the mast.
    static constexpr char kBrigIni[] =
        "[POINT_DATA]\n"
        "point 0 = 0,2,8,0\n"
        "point 1 = 1,2.6,9,0\n"
        "point 2 = 0,2.2,11,0\n"
        "[LINK_DATA]\n"
        "link 0 = 0,1\n"
        "link 1 = 0,2\n";
};

constexpr char kFloats[] = "brig1.ini: warning: point 1 floats 0.6 above the surface at height 2\n";
constexpr char kThroughMast[] =
    "brig1.ini:7:1: warning: link 1 runs through the model 1.754 from point 0 (of 3.007 to point "
    "2), at 0, 2.117, 9.75\n";

TEST_F(MeshTest, CheckFindsWhatStandsOffTheModelAsPlaced) {
    struct Case {
        std::vector<std::string> options;
        std::string err;
    };
    Write("lying.obj", "v -3 0 0\nv 3 0 0\nv 3 -20 0\nv -3 -20 0\nf 1 2 3 4\n");  // Z up
    const Case cases[] = {
        {{}, ""},
        {{"--mesh", "brig.obj"}, std::string(kFloats) + kThroughMast},
        {{"--mesh", "brig.obj", "--deck-tolerance", "0.7"}, kThroughMast},
        {{"--mesh", "brig.obj", "--mesh-offset", "0", "0.5", "0", "--deck-tolerance", "0.6", "0.2"},
         "brig1.ini: warning: point 0 lies 0.5 under the surface at height 2.5, sunk into the "
         "deck\n"
         "brig1.ini: warning: point 2 lies 0.3 under the surface at height 2.5, sunk into the "
         "deck\n"
         "brig1.ini:6:1: warning: link 0 runs through the model 1.28 from point 0 (of 1.536 to "
         "point 1), at 0.833, 2.5, 8.833\n"},
        // Half as large: the quarterdeck, at height 1.5, begins at z 7.5 and the ship ends at 10.
        {{"--mesh", "brig.obj", "--mesh-scale", "0.5", "--end-clearance", "0"},
         "brig1.ini: warning: point 0 floats 0.5 above the surface at height 1.5\n"
         "brig1.ini: warning: point 1 floats 1.1 above the surface at height 1.5\n"
         "brig1.ini: warning: point 2 has no surface under it\n"},
        // A deck lying in x and y, up along z, turned upright and raised to height 2.
        {{"--mesh", "lying.obj", "--mesh-up", "z", "--mesh-offset", "0", "2", "0"}, kFloats},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"check", "brig1.ini"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        SCOPED_TRACE(args.back());
        const WalkconvRun run = Walkconv(args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, c.err);
    }
}

TEST_F(MeshTest, FixPutsTheFloatingPointOnTheDeckAndLeavesTheLinkToAPerson) {
    const WalkconvRun run = Walkconv({"fix", "brig1.ini", "--mesh", "brig.obj", "-i"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "brig1.ini: fix: move point 1 onto the surface at height 2 (from 2.6)\n"
              "brig1.ini: 1 repair made, 1 finding left for a person\n");
    EXPECT_EQ(run.err, kThroughMast);
    EXPECT_NE(Read("brig1.ini").find("point 1 = 1,2,9,0"), std::string::npos) << Read("brig1.ini");
}

TEST_F(MeshTest, RenderDrawsTheModelUnderTheGraph) {
    ASSERT_EQ(Walkconv({"render", "brig1.ini", "-q", "-o", "plain.svg"}).status, 0);
    ASSERT_EQ(Walkconv({"render", "brig1.ini", "-q", "--mesh", "brig.obj"}).status, 0);
    EXPECT_EQ(Read("plain.svg").find("class=\"model\""), std::string::npos);
    const std::string svg = Read("brig_graph.svg");
    const std::size_t model = svg.find("<g class=\"model\">");
    ASSERT_NE(model, std::string::npos);
    EXPECT_LT(model, svg.find("<path d=\"M"));  // under the first link
}

TEST_F(MeshTest, AModelThatCannotBeReadEndsTheRunBeforeAnyInput) {
    Write("broken.obj", "v 0 0 0\nv 1 0 0\nv 0 0 1\nf 1 2 9000\n");
    Write("broken.gltf",
          "{\"asset\":{\"version\":\"2.0\"},\"nodes\":[{\"children\":[0]}],"
          "\"scenes\":[{\"nodes\":[0]}]}");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"check", "brig1.ini", "--mesh", "broken.obj"},
         2,
         "broken.obj:4: error: face refers to vertex 9000 of 3\n"},
        {{"render", "brig1.ini", "--mesh", "broken.gltf"},
         2,
         "broken.gltf: error: node 0 is its own ancestor\n"},
        {{"fix", "brig1.ini", "--mesh", "none.glb"}, 3, "none.glb: error: no model file there\n"},
        {{"check", "brig1.ini", "--mesh-scale", "2"},
         64,
         "walkconv: --mesh-scale requires --mesh\n"
         "Run 'walkconv --help' for the commands and options.\n"},
        {{"check", "brig1.ini", "--mesh", "brig.obj", "--mesh-up", "x"}, 64, "..."},
        {{"check", "brig1.ini", "--mesh", "brig.obj", "--mesh-scale", "0"}, 64, "..."},
        {{"check", "brig1.ini", "--mesh", "brig.obj", "--mesh-offset", "1", "2"}, 64, "..."},
        {{"to-ini", "brig1.ini", "--mesh", "brig.obj"}, 64, "..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const WalkconvRun run = Walkconv(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        if (c.err != "...") {
            EXPECT_EQ(run.err, c.err);
        }
    }
    EXPECT_FALSE(Exists("brig_graph.svg"));
}

}  // namespace
}  // namespace walkconv::testing
