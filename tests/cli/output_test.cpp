// Where outputs go: a device, FIFO or terminal is written into and never replaced; "-" and the
// system's name of the standard output take the output while the lines about it go to stderr;
// two inputs with one output, and empty output names, are refused before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/walkconv_fixture.h"
#include "support/output_faults.h"
#include "support/platform.h"
#include "support/special_files.h"

namespace walkconv::testing {
namespace {

namespace fs = std::filesystem;

class OutputTest : public WalkconvTest {};

// kShipWalk with link 1 made again the other way round, which fix removes.
std::string ShipWalkWithDuplicate() {
    std::string text = kShipWalk;
    text.replace(text.find("}\r\n"), 3, "        ship_walk_graph[2] = (2)*256 + (1);\r\n}\r\n");
    return text.replace(text.find("graph[2];"), 9, "graph[3];");
}

TEST_F(OutputTest, ADeviceOrFifoIsWrittenIntoAndStaysWhatItWas) {
    if (kOnWindows) {
        GTEST_SKIP() << "Windows has no FIFOs or device nodes in its folders (NUL: below)";
    }
    Write("ship_walk.c", kShipWalk);
    Write("dup/ship_walk.c", ShipWalkWithDuplicate());
    struct Case {
        std::vector<std::string> args;  // the output is "target"
        std::string content;            // what a FIFO reads
    };
    const std::vector<Case> cases{
        {{"to-ini", "ship_walk.c", "-o", "target"}, kShipSailorpoints},
        {{"fix", "dup/ship_walk.c", "-q", "-o", "target"}, kShipWalk},
    };
    for (const Case& c : cases) {
        {
            FifoWithReader fifo("target");
            ASSERT_TRUE(fifo.Made());
            const WalkconvRun run = Walkconv(c.args);
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(fs::is_fifo("target")) << c.args[0];
            EXPECT_EQ(fifo.Drain(), c.content) << c.args[0];
        }
        fs::remove("target");
        if (MakeNullDevice("target")) {  // as root
            EXPECT_EQ(Walkconv(c.args).status, 0) << c.args[0];
            EXPECT_TRUE(fs::is_character_file("target")) << c.args[0];
            fs::remove("target");
        }
    }
    EXPECT_EQ(Walkconv({"to-ini", "ship_walk.c", "-o", "/dev/null"}).status, 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(FolderListing(Folder().path()).size(), 3U)
        << "no temporary file left beside any target";
}

// NUL is the device of every folder on Windows; a file named so on Linux is an ordinary file.
TEST_F(OutputTest, NulIsWrittenIntoOnWindows) {
    Write("ship_walk.c", kShipWalk);
    for (const char* nul : {"NUL", "nul", "NUL.ini"}) {
        const WalkconvRun run = Walkconv({"to-ini", "ship_walk.c", "-q", "-o", nul});
        EXPECT_EQ(run.status, 0) << nul << run.err;
        EXPECT_EQ(Exists(nul), !kOnWindows) << nul;
    }
}

// The standard output holds the output's bytes alone; the line about it goes to stderr.
TEST_F(OutputTest, TheStandardOutputTakesTheOutputAndTheLinesAboutItGoToStderr) {
    Write("ship_walk.c", kShipWalk);
    Write("dup/ship_walk.c", ShipWalkWithDuplicate());
    struct Case {
        std::vector<std::string> args;
        std::string out;
        std::string err;
    };
    std::vector<Case> cases{
        {{"to-ini", "ship_walk.c", "-o", "-"},
         kShipSailorpoints,
         "ship_walk.c -> - (3 points, 2 links)\n"},
        {{"fix", "dup/ship_walk.c", "-o", "-"},
         kShipWalk,
         "dup/ship_walk.c:26:9: fix: remove link 2 (joins points 2 and 1, as link 1 does already)\n"
         "dup/ship_walk.c -> -: 1 repair made, 0 findings left for a person\n"},
    };
    if (!kOnWindows) {
        cases.push_back({{"to-ini", "ship_walk.c", "-o", "/dev/stdout"},
                         kShipSailorpoints,
                         "ship_walk.c -> /dev/stdout (3 points, 2 links)\n"});
    }
    for (const Case& c : cases) {
        const WalkconvRun run = Walkconv(c.args);
        EXPECT_EQ(run.status, 0) << c.args.back();
        EXPECT_EQ(run.out, c.out) << c.args.back();
        EXPECT_EQ(run.err, c.err) << c.args.back();
    }
    EXPECT_EQ(FolderListing(Folder().path()).size(), 3U) << "no file named - or stdout";
}

// Two inputs with one output are refused before anything is written, whatever spells the
// path alike: "..", a link, and on Windows letter case. An output that is its own input is
// no clash.
TEST_F(OutputTest, TwoInputsWithOneOutputAreAUsageErrorAndNothingIsWritten) {
    Write("a/ship1.ini", kShipIni);
    Write("b/ship1.ini", kShipIni);
    Write("b/SHIP1.ini", kShipIni);
    Write("a/brig_walk.c", kShipWalk);
    Write("b/brig_walk.c", kShipWalk);
    fs::create_directory("out");
    struct Case {
        std::vector<std::string> args;
        std::string clash;  // "" for none
    };
    std::vector<Case> cases{
        {{"to-walk", "-d", "out", "a/ship1.ini", "b/ship1.ini"},
         "a/ship1.ini and b/ship1.ini would both write out/ship_walk.c"},
        {{"fix", "-d", "out", "a/brig_walk.c", "b/brig_walk.c"},
         "a/brig_walk.c and b/brig_walk.c would both write out/brig_walk.c"},
        {{"render", "-d", "out", "a/brig_walk.c", "b/brig_walk.c"},
         "a/brig_walk.c and b/brig_walk.c would both write out/brig_graph.svg"},
        {{"to-ini", "a/brig_walk.c", "b/../a/brig_walk.c"},
         "a/brig_walk.c and b/../a/brig_walk.c would both write b/../a/brig1.ini"},
        {{"fix", "-i", "a/ship1.ini", "a/./ship1.ini"},
         "a/ship1.ini and a/./ship1.ini would both write a/./ship1.ini"},
        {{"to-walk", "-d", "out", "a/ship1.ini", "b/SHIP1.ini"},
         kOnWindows ? "a/ship1.ini and b/SHIP1.ini would both write out/SHIP_walk.c" : ""},
    };
    if (!kOnWindows) {
        fs::create_directory_symlink("a", "link");
        cases.push_back({{"to-ini", "a/brig_walk.c", "link/brig_walk.c"},
                         "a/brig_walk.c and link/brig_walk.c would both write link/brig1.ini"});
    }
    for (const Case& c : cases) {
        const auto before = FolderListing(Folder().path());
        const WalkconvRun run = Walkconv(c.args);
        if (c.clash.empty()) {
            EXPECT_EQ(run.status, 0) << run.err;
            fs::remove_all("out");
            fs::create_directory("out");
            continue;
        }
        EXPECT_EQ(run.status, 64) << c.clash;
        EXPECT_EQ(run.err, "walkconv: " + c.clash + "\n" + kHelpHint);
        EXPECT_EQ(FolderListing(Folder().path()), before) << c.clash;
    }
    for (const std::vector<std::string>& own :
         {std::vector<std::string>{"fix", "-i", "a/ship1.ini", "b/ship1.ini"},
          std::vector<std::string>{"fix", "-o", "a/ship1.ini", "a/ship1.ini"}}) {
        EXPECT_EQ(Walkconv(own).status, 0) << own[1];
    }
}

TEST_F(OutputTest, EmptyOutputNamesAndTwoDocumentsOnStdoutAreUsageErrors) {
    Write("ship1.ini", kShipIni);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"to-walk", "ship1.ini", "-o", ""}, "--output names no file (- is the standard output)"},
        {{"fix", "ship1.ini", "-d", ""}, "--dir names no folder (. is the current one)"},
        {{"fix", "ship1.ini", "-o", "-", "--format", "json"},
         "--format json takes the standard output, which --output - asks for too"},
    };
    for (const auto& [args, problem] : cases) {
        const WalkconvRun run = Walkconv(args);
        EXPECT_EQ(run.status, 64) << problem;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "walkconv: " + problem + "\n" + kHelpHint);
    }
    EXPECT_EQ(FolderListing(Folder().path()).size(), 1U);
}

TEST_F(OutputTest, AFailedWriteGivesItsReasonInTheJsonDocument) {
    Write("dup/ship_walk.c", ShipWalkWithDuplicate());
    fs::create_directory("taken_walk.c");
    const WalkconvRun run =
        Walkconv({"fix", "dup/ship_walk.c", "-o", "taken_walk.c", "--format", "json"});
    EXPECT_EQ(run.status, 4);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document[0]["output"], nullptr);
    EXPECT_EQ(document[0]["cannot_write"],
              (nlohmann::json{{"output", "taken_walk.c"}, {"reason", "is a folder"}}));
}

}  // namespace
}  // namespace walkconv::testing
