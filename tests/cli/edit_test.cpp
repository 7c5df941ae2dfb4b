// edit: the operations taken apart from the inputs, applied in order as one change, printed as
// diff prints it, and written keeping the file's text; refused operations and usage errors,
// which write nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/walkconv_fixture.h"
#include "support/text_edits.h"

namespace walkconv::testing {
namespace {

class EditTest : public WalkconvTest {};

struct EditCase {
    std::vector<std::string> args;  // after "edit ship_walk.c"
    std::string out;
    std::string written;  // the file after the same run with -i
};

TEST_F(EditTest, OperationsApplyInOrderArePrintedAsDiffAndWrittenKeepingTheText) {
    const std::string ship = kShipWalk;
    const std::vector<EditCase> cases{
        {{"move", "2", "1.5", "2.5", "-3.5", "type", "0", "4"},
         "walking graph of ship_walk.c\n"
         "point 0 type 5 -> 4\n"
         "point 2 moved (2, 0.5, -2) -> (1.5, 2.5, -3.5)\n"
         "points: 0 removed, 0 added, 2 changed; links: 0 removed, 0 added\n",
         Edited(Edited(Edited(Edited(ship, "types[0] = 5", "types[0] = 4"), "verts[6] = 2;",
                              "verts[6] = 1.5;"),
                       "verts[7] = 0.5;", "verts[7] = 2.5;"),
                "verts[8] = -2;", "verts[8] = -3.5;")},
        {{"unlink", "1", "0", "link", "2", "0"},
         "walking graph of ship_walk.c\nlink 0-1 removed\nlink 0-2 added\n"
         "points: 0 removed, 0 added, 0 changed; links: 1 removed, 1 added\n",
         Edited(Edited(ship, "        ship_walk_graph[0] = (0)*256 + (1);\r\n", ""),
                "ship_walk_graph[1] = (1)*256 + (2);\r\n",
                "ship_walk_graph[0] = (1)*256 + (2);\r\n"
                "        ship_walk_graph[1] = (2)*256 + (0);\r\n")},
        {{"scale", "2", "translate", "0", "0", "-1"},
         "walking graph of ship_walk.c\n"
         "point 0 moved (1.5, 2, -0.25) -> (3, 4, -1.5)\n"
         "point 1 moved (0, 3, 4) -> (0, 6, 7)\n"
         "point 2 moved (2, 0.5, -2) -> (4, 1, -5)\n"
         "points: 0 removed, 0 added, 3 changed; links: 0 removed, 0 added\n",
         Edited(Edited(Edited(Edited(Edited(Edited(Edited(Edited(ship, "[0] = 1.5;", "[0] = 3;"),
                                                          "[1] = 2;", "[1] = 4;"),
                                                   "[2] = -0.25;", "[2] = -1.5;"),
                                            "[4] = 3;", "[4] = 6;"),
                                     "[5] = 4;", "[5] = 7;"),
                              "[6] = 2;", "[6] = 4;"),
                       "[7] = 0.5;", "[7] = 1;"),
                "[8] = -2;", "[8] = -5;")},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.args.front());
        Write("ship_walk.c", ship);
        std::vector<std::string> args{"edit", "ship_walk.c"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const WalkconvRun dry = Walkconv(args);
        EXPECT_EQ(dry.status, 0);
        EXPECT_EQ(dry.out, c.out);
        EXPECT_EQ(dry.err, "");
        EXPECT_EQ(Read("ship_walk.c"), ship);
        args.push_back("-i");
        const WalkconvRun inPlace = Walkconv(args);
        EXPECT_EQ(inPlace.status, 0);
        EXPECT_EQ(inPlace.out, c.out);
        EXPECT_EQ(Read("ship_walk.c"), c.written);
    }
}

TEST_F(EditTest, EachInputGetsTheOperationsAndAFileNamedLikeOneIsGivenWithItsFolder) {
    Write("scale", kShipSailorpoints);
    Write("ship_walk.c", kShipWalk);
    const WalkconvRun run =
        Walkconv({"edit", "ship_walk.c", "./scale", "type", "1", "9", "-d", ".", "-q"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Read("scale"), Edited(kShipSailorpoints, "0,3,4,1", "0,3,4,9"));
    EXPECT_EQ(Read("ship_walk.c"), Edited(kShipWalk, "types[1] = 1", "types[1] = 9"));
}

struct RefusalCase {
    std::vector<std::string> args;
    int status;
    std::string err;
};

TEST_F(EditTest, ARefusedOperationOrAWrongCommandLineWritesNothing) {
    const std::vector<RefusalCase> cases{
        {{"edit", "ship_walk.c", "move", "0", "1", "1", "1", "unlink", "0", "2", "-i"},
         1,
         "ship_walk.c: operation 2 (unlink 0 2): there is no link between points 0 and 2\n"},
        {{"edit", "ship_walk.c", "link", "0", "7", "-i"},
         1,
         "ship_walk.c: operation 1 (link 0 7): point 7 does not exist (the points are 0..2)\n"},
        {{"edit", "ship_walk.c", "move", "0", "1", "x", "1"},
         64,
         "walkconv: edit: operation 1: move takes N X Y Z, numbers, not 'x'\n"},
        {{"edit", "ship_walk.c", "scale", "2", "other_walk.c"},
         64,
         "walkconv: edit: 'other_walk.c' is not an operation; the inputs come before the "
         "operations\n"},
        {{"edit", "ship_walk.c", "-i"},
         64,
         "walkconv: edit takes one operation or more after its inputs: move N X Y Z, type N T, "
         "add X Y Z T, remove N, link A B, unlink A B, translate DX DY DZ, scale F\n"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.err);
        Write("ship_walk.c", kShipWalk);
        const WalkconvRun run = Walkconv(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.substr(0, run.err.find("Run '")), c.err);
        EXPECT_EQ(Read("ship_walk.c"), kShipWalk);
    }
}

}  // namespace
}  // namespace walkconv::testing
