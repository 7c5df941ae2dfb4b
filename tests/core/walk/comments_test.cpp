#include "core/walk/comments.h"

#include <gtest/gtest.h>

#include <string>

namespace walkconv {
namespace {

// What a C compiler takes for a comment, and what it does not: each text with what remains of it.
TEST(BlankComments, BlanksWhatTheCompilerTakesForACommentAndKeepsLinesAndColumns) {
    struct Case {
        const char* name;
        std::string text;
        std::string blanked;
    };
    const Case cases[] = {
        {"line comment", "a; // b\nc;", "a;     \nc;"},
        {"line comment at the end of the text", "a; //b", "a;    "},
        {"block comment across lines, CR LF kept", "a /* b\r\n c */ d", "a     \r\n      d"},
        {"block comment across CR-only lines", "a/*\rb\r*/c", "a  \r \r  c"},
        {"several on a line", "/*x*/a/*y*/b // z", "     a     b     "},
        {"\"//\" inside a block comment", "/* // */ a\nb", "         a\nb"},
        {"\"/*\" inside a line comment", "// /* x\na */", "       \na */"},
        {"a block comment is not closed by the \"/\" of its opener", "/*/ a */b", "        b"},
        {"unclosed block comment: to the end", "a /* b\nc", "a     \n "},
        {"backslash before the line end continues a line comment", "// a \\\nb;\nc;",
         "      \n  \nc;"},
        {"blanks after the backslash too, CR LF", "// a \\  \r\nb;\r\nc;", "        \r\n  \r\nc;"},
        {"a backslash elsewhere does not", "// a \\ b\nc;", "        \nc;"},
        {"string literal", "s = \"a // b /* c\"; // d", "s = \"a // b /* c\";     "},
        {"escaped quote inside a string", "s = \"\\\"//\" /**/", "s = \"\\\"//\"     "},
        {"character literals", "c = '\"'; d = '/'/**/; e = '\\''//",
         "c = '\"'; d = '/'    ; e = '\\''  "},
        {"a string ends at its line end", "s = \"a\n// b", "s = \"a\n    "},
        {"a continued string goes on", "s = \"a\\\n// b\" c", "s = \"a\\\n// b\" c"},
        {"a lone slash is no comment", "a = 4 / 2; b = 1", "a = 4 / 2; b = 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BlankComments(c.text), c.blanked);
    }
}

}  // namespace
}  // namespace walkconv
