#include "core/drawing/xml_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace walkconv {
namespace {

struct XmlTextCase {
    std::string bytes;
    std::string xml;
};

TEST(XmlText, EscapesMarkupAndReplacesWhatIsNotUtf8OrNoXmlCharacter) {
    const std::string fffd = "\xEF\xBF\xBD";
    const std::vector<XmlTextCase> cases{
        {"deck & <mast> \"fore\" 'aft'", "deck &amp; &lt;mast&gt; &quot;fore&quot; 'aft'"},
        {"tab\tline\nreturn\r", "tab\tline\nreturn&#13;"},
        {std::string("nul\0bell\x07", 9), "nul" + fffd + "bell" + fffd},
        {"\xC3\xA9t\xC3\xA9 \xE2\x80\xA6 \xF0\x9F\x9A\xA2",
         "\xC3\xA9t\xC3\xA9 \xE2\x80\xA6 \xF0\x9F\x9A\xA2"},
        {"\x80 lone", fffd + " lone"},                    // continuation byte alone
        {"\xC3", fffd},                                   // cut at the end
        {"\xE2\x80x", fffd + "x"},                        // cut before another character
        {"\xC0\xAF", fffd + fffd},                        // overlong "/"
        {"\xE0\x80\xAF", fffd + fffd + fffd},             // overlong, three bytes
        {"\xED\xA0\x80", fffd + fffd + fffd},             // a surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
        {"\xF5\xFF", fffd + fffd},                        // never in UTF-8
        {"\xEF\xBF\xBE\xEF\xBF\xBF", fffd + fffd},        // U+FFFE and U+FFFF
        {"\xEF\xBF\xBD", fffd},                           // U+FFFD itself stays
        {"\xF0\x9F\x9A", fffd},                           // a four-byte character cut short
    };
    for (const XmlTextCase& c : cases) {
        EXPECT_EQ(XmlText(c.bytes), c.xml) << ::testing::PrintToString(c.bytes);
    }
}

}  // namespace
}  // namespace walkconv
