#include "core/walk/link_value.h"

#include <gtest/gtest.h>

#include <string>

namespace walkconv {
namespace {

// The spellings of the walk sources themselves are read in the reader's tests; here the forms
// told apart and the C literals.
TEST(ReadLinkValue, ReadsEverySpellingOfALinkAsItsValue) {
    struct Case {
        std::string value;
        LinkForm form;
        std::int64_t first = 0;
        std::int64_t second = 0;
    };
    using enum LinkForm;
    const std::string deep63 = std::string(63, '(') + "7" + std::string(63, ')');
    const std::string deep64 = "(" + deep63 + ")";
    const Case cases[] = {
        {" (1)*256 + (2)", Parenthesised, 1, 2},
        {"( -3 ) * 256 + ( 12 )", Parenthesised, -3, 12},
        {"(0)*256 + (-1)", Parenthesised, 0, -1},
        {"1*256 + 2", Product, 1, 2},
        {"(1*256)+2", Product, 1, 2},
        {"((1))*256 + (2)", Product, 1, 2},
        {"(1*(256)+2)", Product, 1, 2},
        {"(010)*256 + (0x1F)", Product, 8, 31},  // C reads octal and hexadecimal
        {"300*256 + 7", Product, 300, 7},
        {"-1*256 + -1", Product, -1, -1},
        {"517", OneNumber, 2, 5},
        {" (517) ", OneNumber, 2, 5},
        {"0x205", OneNumber, 2, 5},
        {"-257", OneNumber, -1, -1},  // rounded toward zero, as C divides
        {deep63, OneNumber, 0, 7},
        // Not a link value: the scanner's own rule reads these.
        {"", Other},
        {"()", Other},
        {deep64, Other},
        {"1*(256 + 2)", Other},
        {"1*256 - 2", Other},
        {"256*1 + 2", Other},
        {"1*255 + 2", Other},
        {"1*256 + 2 + 3", Other},
        {"2 + 3", Other},
        {"1.5", Other},
        {"517u", Other},
        {"08", Other},
        {"0x", Other},
        {"(1", Other},
        {"1)", Other},
        {"1 2", Other},
        {"x", Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const LinkValue value = ReadLinkValue(c.value);
        EXPECT_EQ(value.form, c.form);
        if (c.form != Other) {
            EXPECT_EQ(value.first, c.first);
            EXPECT_EQ(value.second, c.second);
        }
    }
}

TEST(ReadLinkValue, KeepsTheNumbersAsWrittenAndHoldsHugeOnesAtTwoToTheSixtySecond) {
    const LinkValue product = ReadLinkValue("(- 7)*256 + 0x10");
    EXPECT_EQ(product.firstText, "- 7");
    EXPECT_EQ(product.secondText, "0x10");
    const std::string nines(40, '9');
    const LinkValue huge = ReadLinkValue(nines);
    EXPECT_EQ(huge.form, LinkForm::OneNumber);
    EXPECT_EQ(huge.first, (std::int64_t{1} << 62) / 256);
    EXPECT_EQ(huge.firstText, nines);
}

}  // namespace
}  // namespace walkconv
