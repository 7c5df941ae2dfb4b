#include "app/chooser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/start_up.h"
#include "core/text_file.h"
#include "support/temp_dir.h"

namespace walkconv::app {
namespace {

TEST(Chooser, OptionsExcludeEachOtherAndOkGivesTheDirectionChosen) {
    Chooser chooser;
    EXPECT_EQ(chooser.View(), (ChooserView{false, false}));
    EXPECT_FALSE(chooser.Ok().has_value());  // nothing chosen: OK does nothing

    chooser.SelectOption2();
    EXPECT_EQ(chooser.View(), (ChooserView{false, true}));
    EXPECT_EQ(chooser.Ok(), &SailorpointsToWalk());
    chooser.SelectOption1();
    EXPECT_EQ(chooser.View(), (ChooserView{true, false}));
    EXPECT_EQ(chooser.Ok(), &WalkToSailorpoints());
}

TEST(FirstWindowFor, TheFilesKindOrItsEndingPicksTheWindow) {
    const testing::TempDir dir;
    dir.Write("ship_walk.c", "ship_walk_graph[0] = (0)*256 + (1);\n");
    dir.Write("ship1.ini", "[POINT_DATA]\npoint 1 = 1,2,3,0\n");
    dir.Write("ship1.txt", "[POINT_DATA]\npoint 1 = 1,2,3,0\n");
    dir.Write("ship_walk", "ship_walk_graph[0] = (0)*256 + (1);\n");
    const Direction* walk = &WalkToSailorpoints();
    const Direction* sailorpoints = &SailorpointsToWalk();
    struct Row {
        std::vector<std::string> arguments;
        const Direction* expected;  // none: the chooser
    };
    const std::vector<Row> rows = {
        {{}, nullptr},
        {{"ship_walk.c"}, walk},
        {{"ship1.ini"}, sailorpoints},
        {{"ship1.txt"}, sailorpoints},                 // by its sections
        {{"ship_walk"}, walk},                         // no ending: a walk source
        {{"ship1.ini", "ship_walk.c"}, sailorpoints},  // the first counts
        {{"gone_walk.c"}, walk},                       // missing: by the ending, any case
        {{"GONE1.INI"}, sailorpoints},
        {{"GONE_WALK.C"}, walk},
        {{"gone.txt"}, nullptr},
        {{"."}, nullptr},  // a folder
    };
    for (const Row& row : rows) {
        std::vector<std::string> arguments;
        for (const std::string& argument : row.arguments) {
            arguments.push_back(Utf8FromPath(dir.path() / argument));
        }
        SCOPED_TRACE(arguments.empty() ? "none" : arguments.front());
        const FirstWindow first = FirstWindowFor(arguments);
        EXPECT_EQ(first.direction, row.expected);
        EXPECT_EQ(first.path, row.expected != nullptr ? arguments.front() : "");
    }
}

}  // namespace
}  // namespace walkconv::app
