// Saving an edited document as the text it was read from with replacements: each kind of edit
// on files of several styles, compared with the text a person would have written; the saves the
// text cannot carry, which are refused and leave the file as it was.
#include "core/editing/text_keeping_save.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/editing/document_file.h"
#include "core/editing/graph_edit.h"
#include "core/text_file.h"
#include "support/temp_dir.h"

namespace walkconv {
namespace {

using testing::TempDir;

// Tabs, comments between and after statements, blank lines, a padding link, and identifiers
// that are not those of the file's name.
constexpr char kTabbedWalk[] =
    "// brig walking graph\n"
    "int brig_walk_count;\n"
    "float brig_walk_verts[9];\n"
    "int brig_walk_types[3];\n"
    "int brig_walk_graph[3];\n"
    "\n"
    "void brig_walk_init()\n"
    "{\n"
    "\tbrig_walk_count = 3;\n"
    "\n"
    "\tbrig_walk_verts[0] = 1.0; // bow\n"
    "\tbrig_walk_verts[1] = 0;\n"
    "\tbrig_walk_verts[2] = -2.50;\n"
    "\tbrig_walk_verts[3] = 3;\n"
    "\tbrig_walk_verts[4] = 0.5;\n"
    "\tbrig_walk_verts[5] = 4;\n"
    "\tbrig_walk_verts[6] = 7;\n"
    "\tbrig_walk_verts[7] = 8;\n"
    "\tbrig_walk_verts[8] = 9;\n"
    "\n"
    "\tbrig_walk_types[0] = 0;\n"
    "\tbrig_walk_types[1] = 1;\n"
    "\tbrig_walk_types[2] = 5;\n"
    "\n"
    "\tbrig_walk_graph[0] = (0)*256 + (1);\n"
    "\tbrig_walk_graph[1] = (1)*256 + (2);\n"
    "\tbrig_walk_graph[2] = (0)*256 + (-1); /* padding */\n"
    "}\n";

// Spaces, several statements on a line, and a declared size larger than the points assigned:
// points 2 to 4 are read as zero points.
constexpr char kPackedWalk[] =
    "float  ship_walk_verts[15];\n"
    "int ship_walk_types[5]; int ship_walk_graph[1];\n"
    "void ship_walk_init() {\n"
    "  ship_walk_verts[0] = 1.5; ship_walk_verts[1] = 0; ship_walk_verts[2] = -2.25;\n"
    "  ship_walk_verts[3] = 3; ship_walk_verts[4] = 0.5; ship_walk_verts[5] = 4;\n"
    "  ship_walk_types[0] = 0; ship_walk_types[1] = 1;\n"
    "  ship_walk_graph[0] = (0)*256 + (1);\n"
    "}\n";

// Links written as their value without the writer's parentheses, and a link commented out.
constexpr char kValueLinksWalk[] =
    "float s_walk_verts[9];\n"
    "int s_walk_types[3];\n"
    "int s_walk_graph[2];\n"
    "void s_walk_init()\n"
    "{\n"
    "    s_walk_verts[0] = 1;\n"
    "    s_walk_verts[1] = 2;\n"
    "    s_walk_verts[2] = 3;\n"
    "    s_walk_verts[3] = 4;\n"
    "    s_walk_verts[4] = 5;\n"
    "    s_walk_verts[5] = 6;\n"
    "    s_walk_verts[6] = 7;\n"
    "    s_walk_verts[7] = 8;\n"
    "    s_walk_verts[8] = 9;\n"
    "    s_walk_types[0] = 1;\n"
    "    s_walk_types[1] = 2;\n"
    "    s_walk_types[2] = 3;\n"
    "    /* s_walk_graph[0] = (2)*256 + (2); */\n"
    "    s_walk_graph[0] = 1*256 + 2; // aft\n"
    "    s_walk_graph[1] = 0*256+1;\n"
    "}\n";

constexpr char kSpacedIni[] =
    "\n"
    "[SIZE]\n"
    "points = 3\n"
    "links = 3\n"
    "\n"
    "; the deck\n"
    "[POINT_DATA]\n"
    "point 0 = 1.0, 0, -2.50, 7\n"
    "point 1 = 3, 0.5, 4, 10   ; mast\n"
    "\n"
    "point 2 = 7, 8, 9, 1\n"
    "\n"
    "[LINK_DATA]\n"
    "link 0 = 0,1\n"
    "link 1 = 0,-1\n"
    "link 2 = 1,2\n";

struct SaveCase {
    const char* name;
    const char* fileName;
    const char* before;
    Edit edit;
    std::string after;
};

// The document of `text` read for editing from a file named `fileName`.
GraphDocument Read(const TempDir& dir, const std::string& fileName, const std::string& text) {
    const std::string path = Utf8FromPath(dir.Write(fileName, text));
    const DocumentReading reading = ReadDocument(
        path, fileName.ends_with(".c") ? InputKind::WalkSource : InputKind::Sailorpoints);
    EXPECT_EQ(reading.outcome, AnalysisOutcome::Valid) << fileName;
    return *reading.document;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::vector<SaveCase> Cases() {
    const std::string tabbed = kTabbedWalk;
    const std::string packed = kPackedWalk;
    const std::string ini = kSpacedIni;
    return {
        {"move keeps the spelling of the values that stay", "frigate_walk.c", kTabbedWalk,
         MovePoint{1, 3, 0.25, 4}, Replaced(tabbed, "verts[4] = 0.5;", "verts[4] = 0.25;")},
        {"type", "frigate_walk.c", kTabbedWalk, SetPointType{2, 4},
         Replaced(tabbed, "types[2] = 5;", "types[2] = 4;")},
        {"add gets statements like its neighbours, and the sizes follow", "frigate_walk.c",
         kTabbedWalk, AddPoint{Point{1, 2.5, -3, 0}},
         Replaced(Replaced(Replaced(Replaced(Replaced(tabbed, "verts[9];", "verts[12];"),
                                             "types[3];", "types[4];"),
                                    "count = 3;", "count = 4;"),
                           "\tbrig_walk_verts[8] = 9;\n",
                           "\tbrig_walk_verts[8] = 9;\n\tbrig_walk_verts[9] = 1;\n"
                           "\tbrig_walk_verts[10] = 2.5;\n\tbrig_walk_verts[11] = -3;\n"),
                  "\tbrig_walk_types[2] = 5;\n",
                  "\tbrig_walk_types[2] = 5;\n\tbrig_walk_types[3] = 0;\n")},
        {"remove renumbers what follows, padding link included, and keeps a comment",
         "frigate_walk.c", kTabbedWalk, RemovePoint{0},
         "// brig walking graph\n"
         "int brig_walk_count;\n"
         "float brig_walk_verts[6];\n"
         "int brig_walk_types[2];\n"
         "int brig_walk_graph[2];\n"
         "\n"
         "void brig_walk_init()\n"
         "{\n"
         "\tbrig_walk_count = 2;\n"
         "\n"
         "\t// bow\n"
         "\tbrig_walk_verts[0] = 3;\n"
         "\tbrig_walk_verts[1] = 0.5;\n"
         "\tbrig_walk_verts[2] = 4;\n"
         "\tbrig_walk_verts[3] = 7;\n"
         "\tbrig_walk_verts[4] = 8;\n"
         "\tbrig_walk_verts[5] = 9;\n"
         "\n"
         "\tbrig_walk_types[0] = 1;\n"
         "\tbrig_walk_types[1] = 5;\n"
         "\n"
         "\tbrig_walk_graph[0] = (0)*256 + (1);\n"
         "\tbrig_walk_graph[1] = (0)*256 + (-1); /* padding */\n"
         "}\n"},
        {"link is added after the padding", "frigate_walk.c", kTabbedWalk, AddLink{2, 0},
         Replaced(Replaced(tabbed, "graph[3];", "graph[4];"), "/* padding */\n",
                  "/* padding */\n\tbrig_walk_graph[3] = (2)*256 + (0);\n")},
        {"unlink", "frigate_walk.c", kTabbedWalk, RemoveLink{0},
         Replaced(Replaced(Replaced(Replaced(tabbed, "graph[3];", "graph[2];"),
                                    "\tbrig_walk_graph[0] = (0)*256 + (1);\n", ""),
                           "graph[1] = (1)", "graph[0] = (1)"),
                  "graph[2] = (0)", "graph[1] = (0)")},
        {"move a zero point that has no statements", "ship_walk.c", kPackedWalk,
         MovePoint{3, 1, 0, 2},
         Replaced(packed, "ship_walk_verts[5] = 4;",
                  "ship_walk_verts[5] = 4; ship_walk_verts[9] = 1; ship_walk_verts[11] = 2;")},
        {"add on a packed line", "ship_walk.c", kPackedWalk, AddPoint{Point{1, 2, 3, 4}},
         Replaced(Replaced(Replaced(Replaced(packed, "verts[15];", "verts[18];"), "types[5];",
                                    "types[6];"),
                           "ship_walk_verts[5] = 4;",
                           "ship_walk_verts[5] = 4; ship_walk_verts[15] = 1; "
                           "ship_walk_verts[16] = 2; ship_walk_verts[17] = 3;"),
                  "ship_walk_types[1] = 1;", "ship_walk_types[1] = 1; ship_walk_types[5] = 4;")},
        {"remove from a packed line", "ship_walk.c", kPackedWalk, RemovePoint{2},
         Replaced(Replaced(packed, "verts[15];", "verts[12];"), "types[5];", "types[4];")},
        {"ini move keeps the comment after the line", "brig1.ini", kSpacedIni,
         MovePoint{1, 3, -1, 4},
         Replaced(ini, "point 1 = 3, 0.5, 4, 10", "point 1 = 3, -1, 4, 10")},
        {"ini add", "brig1.ini", kSpacedIni, AddPoint{Point{0.5, 0, 0, 10}},
         Replaced(Replaced(ini, "points = 3", "points = 4"), "point 2 = 7, 8, 9, 1\n",
                  "point 2 = 7, 8, 9, 1\npoint 3 = 0.5, 0, 0, 10\n")},
        {"ini remove renumbers points and link ends", "brig1.ini", kSpacedIni, RemovePoint{0},
         "\n"
         "[SIZE]\n"
         "points = 2\n"
         "links = 2\n"
         "\n"
         "; the deck\n"
         "[POINT_DATA]\n"
         "point 0 = 3, 0.5, 4, 10   ; mast\n"
         "\n"
         "point 1 = 7, 8, 9, 1\n"
         "\n"
         "[LINK_DATA]\n"
         "link 0 = 0,-1\n"
         "link 1 = 0,1\n"},
        {"remove renumbers the ends of links written as their value", "s_walk.c", kValueLinksWalk,
         RemovePoint{0},
         "float s_walk_verts[6];\n"
         "int s_walk_types[2];\n"
         "int s_walk_graph[1];\n"
         "void s_walk_init()\n"
         "{\n"
         "    s_walk_verts[0] = 4;\n"
         "    s_walk_verts[1] = 5;\n"
         "    s_walk_verts[2] = 6;\n"
         "    s_walk_verts[3] = 7;\n"
         "    s_walk_verts[4] = 8;\n"
         "    s_walk_verts[5] = 9;\n"
         "    s_walk_types[0] = 2;\n"
         "    s_walk_types[1] = 3;\n"
         "    /* s_walk_graph[0] = (2)*256 + (2); */\n"
         "    s_walk_graph[0] = 0*256 + 1; // aft\n"
         "}\n"},
        {"ini link and type", "brig1.ini", kSpacedIni,
         EditGroup{{AddLink{2, 0}, SetPointType{0, 8}}},
         Replaced(Replaced(Replaced(ini, "links = 3", "links = 4"), "-2.50, 7", "-2.50, 8"),
                  "link 2 = 1,2\n", "link 2 = 1,2\nlink 3 = 2,0\n")},
    };
}

TEST(TextKeepingSave, EachEditChangesOnlyItsStatementsInEveryLineEnding) {
    TempDir dir;
    for (const SaveCase& c : Cases()) {
        // The same file with LF, with CR LF, and without an ending on its last line.
        const std::string crlf = WithCrLf(c.before);
        const std::string open = std::string(c.before).substr(0, std::string(c.before).size() - 1);
        const std::vector<std::pair<std::string, std::string>> twins{
            {c.before, c.after},
            {crlf, WithCrLf(c.after)},
            {open, c.after.substr(0, c.after.size() - 1)}};
        for (const auto& [before, after] : twins) {
            GraphDocument document = Read(dir, c.fileName, before);
            ASSERT_TRUE(ApplyEdit(document, c.edit).Applied()) << c.name;
            const KeptText kept = KeepText(document);
            EXPECT_EQ(kept.refusal, "") << c.name;
            EXPECT_EQ(kept.text, after) << c.name;
        }
    }
}

TEST(TextKeepingSave, UnchangedDocumentGivesBackTheTextByteForByte) {
    TempDir dir;
    for (const char* text : {kTabbedWalk, kPackedWalk}) {
        EXPECT_EQ(KeepText(Read(dir, "x_walk.c", text)).text, text);
    }
    EXPECT_EQ(KeepText(Read(dir, "x1.ini", kSpacedIni)).text, kSpacedIni);
}

struct SaveRefusalCase {
    const char* fileName;
    std::string text;
    Edit edit;
    std::string message;
};

TEST(TextKeepingSave, SavesTheTextCannotCarryAreRefusedAndLeaveTheFile) {
    const std::string beyond =
        Replaced(Replaced(kTabbedWalk, "verts[9];", "verts[6];"), "types[3];", "types[2];");
    const std::string twice = Replaced(kTabbedWalk, "\tbrig_walk_verts[5] = 4;\n",
                                       "\tbrig_walk_verts[5] = 4;\n\tbrig_walk_verts[4] = 0.75;\n");
    const std::string shared =
        Replaced(kSpacedIni, "link 2 = 1,2\n", "point 3 = 5,5,5,5  link 2 = 1,2\n");
    const std::vector<SaveRefusalCase> cases{
        {"brig_walk.c", beyond, AddPoint{Point{}},
         "cannot save in place: brig_walk.c:17: point 2 is assigned beyond the declared size of "
         "brig_walk_verts; Save as writes a new file"},
        {"brig_walk.c", twice, MovePoint{1, 3, 1, 4},
         "cannot save in place: brig_walk.c:17: point 1 is assigned more than once (also on line "
         "15); Save as writes a new file"},
        {"brig1.ini", shared, RemovePoint{3},
         "cannot save in place: brig1.ini:16: the statement that the edits remove holds more "
         "than the entry they remove; Save as writes a new file"},
    };
    TempDir dir;
    for (const SaveRefusalCase& c : cases) {
        GraphDocument document = Read(dir, c.fileName, c.text);
        ASSERT_TRUE(ApplyEdit(document, c.edit).Applied()) << c.message;
        const std::filesystem::path path = dir.path() / c.fileName;
        try {
            SaveDocument(path, document);
            ADD_FAILURE() << "saved: " << c.message;
        } catch (const SaveRefused& refused) {
            EXPECT_EQ(refused.what(), c.message);
        }
        EXPECT_EQ(ReadTextFile(path), c.text) << c.message;
    }
}

}  // namespace
}  // namespace walkconv
