// The command line itself: help, version and the usage errors, which stop before any input is
// read or any output written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/walkconv_fixture.h"
#include "support/platform.h"

namespace walkconv::testing {
namespace {

using ::testing::Contains;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class CommandLineTest : public WalkconvTest {};

TEST_F(CommandLineTest, HelpListsEveryCommandAndOptionOnOneLineEach) {
    const WalkconvRun run = Walkconv({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    EXPECT_THAT(lines, Contains("Usage: walkconv COMMAND INPUT... [OPTIONS]"));
    for (const char* line : {
             "  to-ini INPUT...             convert walk sources to sailorpoints files",
             "  to-walk INPUT...            convert sailorpoints files to walk sources",
             "  check INPUT...              analyse inputs, print each summary and its warnings",
             "  render INPUT...             draw the walking graph of each input as an SVG picture",
             "  fix INPUT...                repair what check finds where one repair is sound",
             "  diff A B                    say how the walking graphs of two files differ",
             "  edit INPUT... OPERATION...  change the points and links of each input, keeping its "
             "text",
             "  -o,--output OUTPUT          (to-ini, to-walk, render, fix, edit) write the output "
             "here, or to stdout for - (one input only)",
             "  -d,--dir DIR                (to-ini, to-walk, render, fix, edit) write each output "
             "in DIR, under its proposed name (fix: the input's)",
             "  -q,--quiet                  (to-ini, to-walk, render, fix, edit) print no line per "
             "written output",
             "  --model NAME                (to-walk) model name of the output (one input only)",
             "  --werror                    (check, fix) exit with status 5 when an input has "
             "warnings (fix: a repair is due)",
             "  -v,--verbose                (check, fix) print the notes too, not only the "
             "warnings",
             "  --format text|json          (check, fix, diff, edit) text (default), or json: one "
             "document for all inputs on stdout",
             "  -i,--in-place               (fix, edit) write each output over its input",
             "  --git                       (diff) take what git gives a diff driver: PATH "
             "OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE",
             "  -h,--help                   print this help and exit",
             "  --version                   print the version and exit",
             "diff: 0 the same graph, 1 different graphs (0 with --git), 2 trouble",
         }) {
        EXPECT_THAT(lines, Contains(line));
    }
    for (const char* status : {"  0   ", "  1   ", "  2   ", "  3   ", "  4   ", "  5   ",
                               "  64  usage error: nothing was read or written"}) {
        EXPECT_NE(run.out.find(std::string("\n") + status), std::string::npos) << status;
    }
}

TEST_F(CommandLineTest, HelpAfterACommandShowsTheSameWholeHelp) {
    const std::string whole = Walkconv({"--help"}).out;
    for (const char* command : {"to-ini", "to-walk", "check", "render", "fix", "diff"}) {
        const WalkconvRun run = Walkconv({command, "-h"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, whole) << command;
    }
}

// Windows users ask for help with "/?", and expect to be told how far wildcards go.
TEST_F(CommandLineTest, SlashQuestionMarkAloneIsTheHelpOnWindows) {
    const WalkconvRun help = Walkconv({"--help"});
    const WalkconvRun run = Walkconv({"/?"});
    const bool windows = kOnWindows;
    EXPECT_EQ(run.status, windows ? 0 : 64);
    EXPECT_EQ(run.out, windows ? help.out : "");
    EXPECT_EQ(Lines(help.out)[3], windows ? "       walkconv --help | /? | --version"
                                          : "       walkconv --help | --version");
    EXPECT_EQ(help.out.find("INPUT may hold the wildcards * and ? in its last component only "
                            "(models\\*_walk.c):\n") != std::string::npos,
              windows);
}

TEST_F(CommandLineTest, VersionPrintsTheProjectVersion) {
    const WalkconvRun run = Walkconv({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("walkconv ") + WALKCONV_PROJECT_VERSION + "\n");
    EXPECT_EQ(run.err, "");
}

struct UsageCase {
    std::vector<std::string> args;
    std::string problem;
};

TEST_F(CommandLineTest, UsageErrorsGiveStatus64AndAOneLineHintAndTouchNothing) {
    Write("a_walk.c", kShipWalk);
    Write("b_walk.c", kShipWalk);
    Write("ship1.ini", kShipIni);
    const std::vector<UsageCase> cases = {
        {{}, "no command given"},
        {{"convert", "a_walk.c"}, "unknown command 'convert'"},
        {{"to-ini"}, "INPUT is required"},
        {{"to-ini", "--fast", "a_walk.c"}, "The following argument was not expected: --fast"},
        {{"to-ini", "a_walk.c", "b_walk.c", "-o", "x1.ini"},
         "--output takes one input, but 2 were given"},
        {{"to-walk", "ship1.ini", "ship1.ini", "--model", "brig"},
         "--model takes one input, but 2 were given"},
        {{"to-ini", "a_walk.c", "-o", "x1.ini", "-d", "out"}, "--output excludes --dir"},
        {{"to-ini", "a_walk.c", "--model", "brig"},
         "The following argument was not expected: --model"},
        {{"to-walk", "ship1.ini", "--werror"}, "The following argument was not expected: --werror"},
        {{"check", "a_walk.c", "-o", "x1.ini"}, "The following argument was not expected: -o"},
        {{"check", "a_walk.c", "--format", "xml"}, "--format: xml not in {text,json}"},
        {{"to-ini", "a_walk.c", "-v"}, "The following argument was not expected: -v"},
        {{"to-walk", "ship1.ini", "--format", "json"},
         "The following argument was not expected: --format"},
        {{"render", "a_walk.c", "b_walk.c", "-o", "x.svg"},
         "--output takes one input, but 2 were given"},
        {{"fix", "a_walk.c", "-i", "-d", "out"}, "--dir excludes --in-place"},
        {{"fix", "a_walk.c", "b_walk.c", "-o", "x_walk.c"},
         "--output takes one input, but 2 were given"},
        {{"check", "a_walk.c", "-i"}, "The following argument was not expected: -i"},
        {{"check", "a_walk.c", "--git"}, "The following argument was not expected: --git"},
    };
    for (const UsageCase& c : cases) {
        const WalkconvRun run = Walkconv(c.args);
        EXPECT_EQ(run.status, 64) << c.problem;
        EXPECT_EQ(run.out, "") << c.problem;
        EXPECT_EQ(run.err, "walkconv: " + c.problem + "\n" + kHelpHint);
    }
    for (const char* untouched : {"a1.ini", "b1.ini", "x1.ini", "ship_walk.c", "brig_walk.c", "out",
                                  "a_graph.svg", "x.svg", "x_walk.c"}) {
        EXPECT_FALSE(Exists(untouched)) << untouched;
    }
}

}  // namespace
}  // namespace walkconv::testing
