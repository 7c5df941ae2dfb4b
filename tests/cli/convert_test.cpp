// to-ini and to-walk: where outputs go, what they hold, what is printed, and how a batch ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/walkconv_fixture.h"
#include "core/file_names.h"
#include "core/platform/system_file.h"
#include "support/odd_paths.h"
#include "support/output_faults.h"
#include "support/platform.h"

namespace walkconv::testing {
namespace {

class ConvertTest : public WalkconvTest {};

TEST_F(ConvertTest, ToIniWritesTheProposedNameBesideTheInput) {
    Write("models/ship_walk.c", kShipWalk);
    const WalkconvRun run = Walkconv({"to-ini", "models/ship_walk.c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "models/ship_walk.c -> models/ship1.ini (3 points, 2 links)\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Read("models/ship1.ini"), kShipSailorpoints);
}

TEST_F(ConvertTest, ToWalkWritesTheProposedNameBesideTheInput) {
    Write("ship1.ini", kShipIni);
    const WalkconvRun run = Walkconv({"to-walk", "ship1.ini"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ship1.ini -> ship_walk.c (3 points, 2 links)\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Read("ship_walk.c"), kShipWalk);
}

TEST_F(ConvertTest, OddPathsAreReadAndWrittenWithTheModelNameCutByCharacters) {
    for (const OddPlace& place : OddPlaces(Folder())) {
        SCOPED_TRACE(place.kind);
        const std::string walk = Utf8FromPath(place.folder / PathFromUtf8(place.walkName));
        const std::string ini = Utf8FromPath(place.folder / PathFromUtf8(place.sailorpointsName));
        TempDir::WriteFile(PathFromUtf8(walk), kShipWalk);
        TempDir::WriteFile(PathFromUtf8(ini), kShipIni);

        const std::string iniOut = Utf8FromPath(place.folder / PathFromUtf8(place.model + "1.ini"));
        WalkconvRun run = Walkconv({"to-ini", walk});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, walk + " -> " + iniOut + " (3 points, 2 links)\n");
        EXPECT_EQ(TempDir::Read(PathFromUtf8(iniOut)), kShipSailorpoints);

        const std::string walkOut =
            Utf8FromPath(place.folder / PathFromUtf8(place.model + "_walk.c"));
        run = Walkconv({"to-walk", ini});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, ini + " -> " + walkOut + " (3 points, 2 links)\n");
        EXPECT_NE(
            TempDir::Read(PathFromUtf8(walkOut)).find("float " + place.model + "_walk_verts[9];"),
            std::string::npos);
    }
}

// An output path is printed with the separator of the folder the user gave (or of the input,
// when the folder shows none), never with two kinds in one path.
TEST_F(ConvertTest, OutputPathsFollowTheUsersSeparators) {
    const std::string full = Utf8FromPath(Folder().path());
    struct Case {
        std::vector<std::string> args;
        std::string printed;  // the output path as printed
        std::string written;  // the file written, from the test's folder
        bool windowsOnly;     // "\\" is part of a file name elsewhere
    };
    const Case cases[] = {
        {{"mods/deck_walk.c"}, "mods/deck1.ini", "mods/deck1.ini", false},
        {{"mods/deck_walk.c", "-d", "out"}, "out/deck1.ini", "out/deck1.ini", false},
        {{"mods/deck_walk.c", "-d", "out/"}, "out/deck1.ini", "out/deck1.ini", false},
        {{"mods\\deck_walk.c"}, "mods\\deck1.ini", "mods/deck1.ini", true},
        {{"mods\\deck_walk.c", "-d", "out\\sub"}, "out\\sub\\deck1.ini", "out/sub/deck1.ini", true},
        {{"mods/deck_walk.c", "-d", "out\\sub"}, "out\\sub\\deck1.ini", "out/sub/deck1.ini", true},
        {{full + "\\mods\\deck_walk.c"}, full + "\\mods\\deck1.ini", "mods/deck1.ini", true},
    };
    Write("mods/deck_walk.c", kShipWalk);
    std::filesystem::create_directories("out/sub");
    for (const Case& c : cases) {
        if (c.windowsOnly && !kOnWindows) {
            continue;
        }
        SCOPED_TRACE(c.args.front());
        std::filesystem::remove(c.written);
        std::vector<std::string> args = {"to-ini"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const WalkconvRun run = Walkconv(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.args.front() + " -> " + c.printed + " (3 points, 2 links)\n");
        EXPECT_EQ(Read(c.written), kShipSailorpoints);
    }
}

// A path that begins with "/" is an input, never an option: on Windows it starts at the root of
// the current drive. (That it converts is shown by the executable's own test.)
TEST_F(ConvertTest, AnInputThatBeginsWithASlashIsAPath) {
    const WalkconvRun run = Walkconv({"to-ini", "/no such folder/deck_walk.c", "/o", "x.ini"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "/no such folder/deck_walk.c: no such file\n"
              "/o: no such file\n"
              "x.ini: no such file\n");
}

TEST_F(ConvertTest, OutputOptionNamesTheOutputFile) {
    Write("ship_walk.c", kShipWalk);
    const WalkconvRun run = Walkconv({"to-ini", "ship_walk.c", "-o", "frigate.txt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ship_walk.c -> frigate.txt (3 points, 2 links)\n");
    EXPECT_EQ(Read("frigate.txt"), kShipSailorpoints);
    EXPECT_FALSE(Exists("ship1.ini"));
}

TEST_F(ConvertTest, DirOptionPutsEachOutputThereUnderItsProposedName) {
    Write("in/ship_walk.c", kShipWalk);
    Write("in/brig_walk.c", kShipWalk);
    std::filesystem::create_directory("out");
    const WalkconvRun run =
        Walkconv({"to-ini", "in/ship_walk.c", "in/brig_walk.c", "--dir", "out"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "in/ship_walk.c -> out/ship1.ini (3 points, 2 links)\n"
              "in/brig_walk.c -> out/brig1.ini (3 points, 2 links)\n");
    EXPECT_EQ(Read("out/ship1.ini"), kShipSailorpoints);
    EXPECT_EQ(Read("out/brig1.ini"), kShipSailorpoints);
    EXPECT_FALSE(Exists("in/ship1.ini"));
}

TEST_F(ConvertTest, ModelOptionRenamesTheIdentifiersAndTheProposedName) {
    Write("ship1.ini", kShipIni);
    const WalkconvRun run = Walkconv({"to-walk", "ship1.ini", "--model", "brig"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ship1.ini -> brig_walk.c (3 points, 2 links)\n");
    std::string expected = kShipWalk;
    for (std::size_t at = expected.find("ship_"); at != std::string::npos;
         at = expected.find("ship_", at)) {
        expected.replace(at, 4, "brig");
    }
    EXPECT_EQ(Read("brig_walk.c"), expected);
    EXPECT_FALSE(Exists("ship_walk.c"));
}

TEST_F(ConvertTest, ModelOptionTakesTheNameAsTypedEvenEmpty) {
    Write("ship1.ini", kShipIni);
    EXPECT_EQ(Walkconv({"to-walk", "ship1.ini", "--model", "", "-o", "any.c"}).status, 0);
    EXPECT_EQ(Read("any.c").substr(0, 28), "int _walk_count;\r\nfloat _wal");
}

TEST_F(ConvertTest, QuietPrintsNothingButStillWrites) {
    Write("ship1.ini", kShipIni);
    const WalkconvRun run = Walkconv({"to-walk", "-q", "ship1.ini"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Read("ship_walk.c"), kShipWalk);
}

TEST_F(ConvertTest, AnExistingOutputIsReplaced) {
    Write("ship_walk.c", kShipWalk);
    Write("ship1.ini", "something older and longer than the new file will be ..........");
    EXPECT_EQ(Walkconv({"to-ini", "ship_walk.c"}).status, 0);
    EXPECT_EQ(Read("ship1.ini"), kShipSailorpoints);
}

TEST_F(ConvertTest, EachInputStartsFromAFreshState) {
    // The second file sets no types and fewer points: nothing of the first may show through.
    Write("big_walk.c",
          "float big_walk_verts[9];\nint big_walk_types[3];\nint big_walk_graph[2];\n"
          "big_walk_verts[8] = 7;\nbig_walk_types[0] = 3;\nbig_walk_types[2] = 5;\n"
          "big_walk_graph[1] = (2)*256 + (2);\n");
    Write("small_walk.c",
          "float small_walk_verts[3];\nint small_walk_graph[1];\n"
          "small_walk_graph[0] = (0)*256 + (0);\n");
    const WalkconvRun run = Walkconv({"to-ini", "-q", "big_walk.c", "small_walk.c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Read("small1.ini"),
              "\r\n[SIZE]\r\npoints = 1\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n"
              "point 0 = 0,0,0,0\r\n\r\n[LINK_DATA]\r\nlink 0 = 0,0\r\n");
}

// ---- Messages and exit statuses, one input each

TEST_F(ConvertTest, AWalkSourceWithoutLinksIsNotValid) {
    Write("empty_walk.c", "float empty_walk_verts[6];\n");
    const WalkconvRun run = Walkconv({"to-ini", "empty_walk.c"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "empty_walk.c: This file is not a valid walk file\n");
    EXPECT_FALSE(Exists("empty1.ini"));
}

TEST_F(ConvertTest, ASailorpointsFileWithoutSectionsIsNotValid) {
    Write("notes1.ini", "[SIZE]\npoints = 3\nlinks = 2\n");
    const WalkconvRun run = Walkconv({"to-walk", "notes1.ini"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "notes1.ini: This file is not a valid sailorpoints file\n");
    EXPECT_FALSE(Exists("notes_walk.c"));
}

TEST_F(ConvertTest, AnInputBeyondTheReadersLimitsFails) {
    Write("huge_walk.c", "float huge_walk_verts[6];\nhuge_walk_verts[5000] = 1;\n");
    Write("giant1.ini", "[POINT_DATA]\npoint 40000 = 1,2,3,4\n");
    const WalkconvRun toIni = Walkconv({"to-ini", "huge_walk.c"});
    EXPECT_EQ(toIni.status, 2);
    EXPECT_EQ(toIni.err,
              "huge_walk.c:2:1: error: point number 1666 is outside 0..1000 (index 5000)\n"
              "huge_walk_verts[5000] = 1;\n"
              "^\n");
    const WalkconvRun toWalk = Walkconv({"to-walk", "giant1.ini"});
    EXPECT_EQ(toWalk.status, 2);
    EXPECT_EQ(toWalk.err,
              "giant1.ini:2:1: error: point number 40000 does not fit 16 bits (-32768..32767)\n"
              "point 40000 = 1,2,3,4\n"
              "^\n");
    EXPECT_FALSE(Exists("huge1.ini"));
    EXPECT_FALSE(Exists("giant_walk.c"));
}

TEST_F(ConvertTest, AMissingInputIsNoSuchFileAndAFolderSaysSo) {
    std::filesystem::create_directory("folder_walk.c");
    const WalkconvRun run = Walkconv({"to-ini", "nothing_walk.c", "folder_walk.c"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "nothing_walk.c: no such file\nfolder_walk.c: is a folder\n");
}

// The shells of Windows hand wildcards over as typed, and walkconv expands them there; POSIX
// shells have expanded them already, and a "*" left over is part of a name.
TEST_F(ConvertTest, WildcardsAreExpandedWhereTheShellLeavesThemToTheProgram) {
    for (const char* name : {"models/deck_walk.c", "models/Brig_WALK.C", "models/hidden_walk.c"}) {
        Write(name, kShipWalk);
    }
    Write("models/deck1.ini", kShipIni);
    const std::string models = kOnWindows ? "models\\" : "models/";
    if (kOnWindows) {
        ASSERT_EQ(std::system("attrib +h models\\hidden_walk.c"), 0);
    }
    const WalkconvRun run = Walkconv(
        {"to-ini", models + "*_walk.c", models + "*_hull.c", models + "hidden_walk.c", "-d", "."});
    EXPECT_EQ(run.status, 3);
    if (kOnWindows) {
        EXPECT_EQ(run.out,
                  "models\\Brig_WALK.C -> .\\Brig1.ini (3 points, 2 links)\n"
                  "models\\deck_walk.c -> .\\deck1.ini (3 points, 2 links)\n");
        EXPECT_EQ(run.err,
                  "models\\*_hull.c: no file matches\n"
                  "models\\hidden_walk.c: hidden or system file, taken as missing\n");
        const WalkconvRun check = Walkconv({"check", "--format", "json", models + "*_hull.c"});
        EXPECT_EQ(nlohmann::json::parse(check.out), nlohmann::json::parse(R"([{
            "input": "models\\*_hull.c", "status": 3, "model": null, "points": null,
            "links": null, "warnings": [], "notes": [], "message": "no file matches"}])"));
    } else {
        EXPECT_EQ(run.out, "models/hidden_walk.c -> ./hidden1.ini (3 points, 2 links)\n");
        EXPECT_EQ(run.err, "models/*_walk.c: no such file\nmodels/*_hull.c: no such file\n");
    }
}

TEST_F(ConvertTest, AnOutputThatCannotBeWrittenIsReportedWithTheReason) {
    Write("ship_walk.c", kShipWalk);
    const WalkconvRun run = Walkconv({"to-ini", "ship_walk.c", "-d", "no/such/folder"});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "no/such/folder/ship1.ini: cannot write: No such file or directory\n");
}

TEST_F(ConvertTest, AFailedSaveIsStatus4AndLeavesTheOldFileAndNoTemporaryFile) {
    Write("ship_walk.c", kShipWalk);
    Write("ship1.ini", kShipIni);
    PrepareOutputFaults(Folder());
    const auto before = FolderListing(Folder().path());
    const std::map<std::string, std::string> reasons = {
        {"missing folder", "No such file or directory"},
        {"target is a folder", "is a folder"},
        {"read-only folder", "Permission denied"},
        {"full disk", "No space left on device"},
        {"disk full half way", "No space left on device"},
        {"flush to the disk fails", "Input/output error"},
        {"target marked read-only", "the file is read-only"},
        {"replace refused", "Permission denied"},
    };
    for (const OutputFault& fault : OutputFaults()) {
        SCOPED_TRACE(fault.name);
        const ScopedStorageFaults faults(fault.faults);
        for (const char* command : {"to-ini", "to-walk"}) {
            const std::string input =
                command == std::string("to-ini") ? "ship_walk.c" : "ship1.ini";
            const WalkconvRun run = Walkconv({command, input, "-o", fault.target});
            EXPECT_EQ(run.status, 4) << command;
            EXPECT_EQ(run.err, std::string(fault.target) +
                                   ": cannot write: " + reasons.at(fault.name) + "\n");
            EXPECT_EQ(FolderListing(Folder().path()), before);
        }
    }
}

// ---- Batches

TEST_F(ConvertTest, ABadInputAmongGoodOnesStopsNothing) {
    Write("a_walk.c", kShipWalk);
    Write("bad_walk.c", "nothing to read here\n");
    Write("c_walk.c", kShipWalk);
    const WalkconvRun run = Walkconv({"to-ini", "a_walk.c", "bad_walk.c", "c_walk.c"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "a_walk.c -> a1.ini (3 points, 2 links)\n"
              "c_walk.c -> c1.ini (3 points, 2 links)\n");
    EXPECT_EQ(run.err, "bad_walk.c: This file is not a valid walk file\n");
    EXPECT_EQ(Read("a1.ini"), kShipSailorpoints);
    EXPECT_EQ(Read("c1.ini"), kShipSailorpoints);
    EXPECT_FALSE(Exists("bad1.ini"));
}

TEST_F(ConvertTest, TheMostSevereStatusWinsWhateverTheOrder) {
    Write("good_walk.c", kShipWalk);
    Write("invalid_walk.c", "float invalid_walk_verts[6];\n");
    Write("broken_walk.c", "broken_walk_types[2000] = 1;\n");
    std::filesystem::create_directories("out/unwritable1.ini");  // a folder where a file should go
    Write("unwritable_walk.c", kShipWalk);
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"good_walk.c", "invalid_walk.c"}, 1},
        {{"broken_walk.c", "invalid_walk.c", "good_walk.c"}, 2},
        {{"invalid_walk.c", "missing_walk.c", "broken_walk.c"}, 3},
        {{"unwritable_walk.c", "missing_walk.c", "invalid_walk.c", "broken_walk.c"}, 4},
        {{"missing_walk.c", "unwritable_walk.c"}, 4},
    };
    for (const auto& [inputs, status] : cases) {
        std::vector<std::string> args = {"to-ini", "-d", "out"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        EXPECT_EQ(Walkconv(args).status, status) << inputs.front() << " ...";
    }
    const WalkconvRun all = Walkconv({"to-ini", "-d", "out", "unwritable_walk.c", "missing_walk.c",
                                      "invalid_walk.c", "broken_walk.c", "good_walk.c"});
    EXPECT_EQ(all.err, NativeSeparators("out/unwritable1.ini") +
                           ": cannot write: is a folder\n"
                           "missing_walk.c: no such file\n"
                           "invalid_walk.c: This file is not a valid walk file\n"
                           "broken_walk.c:1:1: error: type index 2000 is outside 0..1000\n"
                           "broken_walk_types[2000] = 1;\n"
                           "^\n");
    EXPECT_EQ(all.out,
              "good_walk.c -> " + NativeSeparators("out/good1.ini") + " (3 points, 2 links)\n");
}

TEST_F(ConvertTest, ABatchReportsInTheOrderOfItsInputs) {
    std::vector<std::string> args = {"to-walk", "-d", "out"};
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string model = "m" + std::to_string(i);
        Write("in/" + model + "1.ini", kShipIni);
        args.push_back("in/" + model + "1.ini");
        expected += "in/" + model + "1.ini -> out/" + model + "_walk.c (3 points, 2 links)\n";
    }
    std::filesystem::create_directory("out");
    const WalkconvRun run = Walkconv(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);
}

// to-walk writes what it is asked to, and says what a compiler or a program evaluating the
// links would get wrong: identifiers that are none, and (a)*256 + (b) with a point of 256 on.
TEST_F(ConvertTest, ToWalkWarnsOfModelNamesAndLinksThatTheWalkSourceCannotCarry) {
    std::string wide = "[POINT_DATA]\n";
    for (int i = 0; i < 300; ++i) {
        wide += "point " + std::to_string(i) + " = " + std::to_string(i) + ",0,0,0\n";
    }
    Write("wide1.ini", wide + "[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,299\nlink 2 = 299,2\n");
    Write("one1.ini", wide + "[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,256\n");
    Write("ship1.ini", kShipIni);
    struct Case {
        std::vector<std::string> args;
        std::string out;
        std::string err;
    };
    const std::vector<Case> cases{
        {{"to-walk", "ship1.ini"}, "ship1.ini -> ship_walk.c (3 points, 2 links)\n", ""},
        {{"to-walk", "ship1.ini", "--model", "brig-v2"},
         "ship1.ini -> brig-v2_walk.c (3 points, 2 links)\n",
         "ship1.ini: warning: the model name \"brig-v2\" is no C identifier, so no C compiler "
         "takes \"brig-v2_walk_init\"\n"},
        {{"to-walk", "ship1.ini", "--model", "2brig"},
         "ship1.ini -> 2brig_walk.c (3 points, 2 links)\n",
         "ship1.ini: warning: the model name \"2brig\" is no C identifier, so no C compiler "
         "takes \"2brig_walk_init\"\n"},
        {{"to-walk", "wide1.ini"},
         "wide1.ini -> wide_walk.c (300 points, 3 links)\n",
         "wide1.ini: warning: 2 links join a point numbered 256 or more (link 1 first): their "
         "values (a)*256 + (b) read as other links once evaluated\n"},
        {{"to-walk", "one1.ini"},
         "one1.ini -> one_walk.c (300 points, 2 links)\n",
         "one1.ini: warning: 1 link joins a point numbered 256 or more (link 1): its value "
         "(a)*256 + (b) reads as another link once evaluated\n"},
    };
    for (const Case& c : cases) {
        const WalkconvRun run = Walkconv(c.args);
        EXPECT_EQ(run.status, 0) << c.args.back();
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

}  // namespace
}  // namespace walkconv::testing
