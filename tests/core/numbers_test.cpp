#include "core/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/conversion_error.h"
#include "support/locale_guard.h"

namespace walkconv {
namespace {

struct TextCase {
    std::string text;
    double expected;
};

void ExpectNumbers(const std::vector<TextCase>& cases) {
    for (const TextCase& c : cases) {
        SCOPED_TRACE("text '" + c.text + "'");
        EXPECT_EQ(TextToNumber(c.text), c.expected);
    }
}

TEST(TextToNumber, ReadsTheLeadingNumberAndStopsAtTheFirstOtherCharacter) {
    ExpectNumbers({
        {" 12.5;", 12.5},
        {"3)*256", 3},
        {"1E-05]", 0.00001},
        {"walk", 0},
        {"", 0},
        {"1,5", 1},  // a comma is never part of a number
        {"1.2.3", 1.2},
        {"42abc", 42},
        {"7 ;8", 7},
    });
}

TEST(TextToNumber, SkipsBlanksTabsAndLineFeedsWhereverTheyStand) {
    ExpectNumbers({
        {"1 2]", 12},
        {" \t\n5", 5},
        {"1\t2 . 5", 12.5},
        {"- 7", -7},
        {"2 E - 1", 0.2},
        {"1 000 000", 1000000},
    });
}

TEST(TextToNumber, ReadsSignsAndDecimalPoints) {
    ExpectNumbers({
        {"-7", -7},
        {"+7", 7},
        {"--7", 0},
        {"-", 0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5},
        {".", 0},
        {"-.", 0},
        {"007.250", 7.25},
    });
}

TEST(TextToNumber, ReadsExponentsWithEOrDInEitherCase) {
    ExpectNumbers({
        {"2E3", 2000},
        {"2e3", 2000},
        {"2D3", 2000},
        {"2d3", 2000},
        {"2.5E+2", 250},
        {"2.5d-1", 0.25},
        {".5E1", 5},
        {"1E0000000000000000000002", 100},
    });
}

TEST(TextToNumber, ALetterWithoutExponentDigitsEndsTheNumber) {
    ExpectNumbers({
        {"1E", 1},
        {"1E+", 1},
        {"1D-;", 1},
        {"3Ex", 3},
        {"1E5.5", 100000},
        {"E5", 0},
    });
}

TEST(TextToNumber, ReadsHexadecimalAndOctalAsUnsignedIntegers) {
    ExpectNumbers({
        {"&HFFFF", 65535},
        {"&hff", 255},
        {"&H1f;", 31},
        {"&HFFFFFFFF", 4294967295.0},
        {"&O17", 15},
        {"&o17", 15},
        {"&O18", 1},  // 8 is no octal digit
        {" & H 1 0", 16},
        {"&H", 0},
        {"&", 0},
        {"&X1", 0},
        {"&H-1", 0},
        {"&H1.5", 1},
    });
}

TEST(TextToNumber, ReadsALongRunOfDigits) {
    EXPECT_EQ(TextToNumber("1" + std::string(299, '0')), 1e299);
    EXPECT_EQ(TextToNumber(std::string(500, '0') + "15"), 15);
    // 1E-321 written out, then scaled back into range by the exponent.
    EXPECT_EQ(TextToNumber("0." + std::string(320, '0') + "1E330"), 1e9);
    EXPECT_EQ(TextToNumber("1" + std::string(400, '0') + "E-400"), 1);
}

TEST(TextToNumber, ValuesBeyondTheLargestDoubleThrow) {
    for (const std::string text :
         {"1E400", "-1E400", "1.8E308", "1E99999999999999999999", "5D+310"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(TextToNumber(text), ConversionError);
    }
    EXPECT_THROW(TextToNumber(std::string(400, '9')), ConversionError);
    EXPECT_THROW(TextToNumber("&H" + std::string(300, 'F')), ConversionError);
    EXPECT_THROW(TextToNumber("&O" + std::string(400, '7')), ConversionError);
    EXPECT_EQ(TextToNumber("1.7976931348623157E308"), std::numeric_limits<double>::max());
}

TEST(TextToNumber, ValuesTooSmallForADoubleReadAsZero) {
    ExpectNumbers({
        {"1E-400", 0},
        {"-1E-400", 0},
        {"1E-99999999999999999999", 0},
        {"0E99999999999999999999", 0},
        {"0.0E400", 0},
        {"1E-310", 1e-310},  // subnormal, still representable
    });
    EXPECT_EQ(TextToNumber("0." + std::string(400, '0') + "1"), 0);
}

// Most numbers are read by a quick way for plain digits, the others by the general one; on
// both sides of every limit of the quick way, the value is the correctly rounded one.
TEST(TextToNumber, PlainNumbersAtTheLimitsOfTheQuickReadingAreRoundedCorrectly) {
    ExpectNumbers({
        {"9007199254740992", 9007199254740992.0},  // 2^53: still exact
        {"9007199254740993", 9007199254740993.0},  // rounds to even
        {"-900719925474099.3", -900719925474099.3},
        {"1234567890123456789", 1234567890123456789.0},  // 19 digits
        {"12345678901234567891", 12345678901234567891.0},
        {"0.1234567890123456789012", 0.1234567890123456789012},  // 22 decimals
        {"0.00000000000000000000001", 1e-23},
        {"0.3", 0.3},
        {"-1.71428571428571,10", -1.71428571428571},
        {"5.", 5},
        {"-.5]", -0.5},
        {"12 ]", 12},
        {"12 3", 123},    // blanks inside a number
        {"12 .5", 12.5},  // a point after blanks continues it
        {"5 E3", 5000},   // so does an exponent
        {"7\t", 7},
    });
    EXPECT_TRUE(std::signbit(TextToNumber("-0;")));
    EXPECT_FALSE(std::signbit(TextToNumber("0;")));
}

TEST(RoundToInt16, RoundsHalvesToTheEvenNeighbour) {
    const std::vector<std::pair<double, int>> cases = {
        {2.5, 2},    {3.5, 4},
        {-2.5, -2},  {-3.5, -4},
        {0.5, 0},    {1.5, 2},
        {-0.5, 0},   {2.4999, 2},
        {2.5001, 3}, {-2.5001, -3},
        {-0.4, 0},   {7, 7},
        {-7, -7},    {0.49999999999999994, 0},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(RoundToInt16(value), expected);
    }
}

TEST(RoundToInt16, AcceptsExactlyTheSixteenBitRange) {
    EXPECT_EQ(RoundToInt16(32767), 32767);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(-32768), -32768);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_THROW(RoundToInt16(32767.5), ConversionError);
    EXPECT_THROW(RoundToInt16(32768), ConversionError);
    EXPECT_THROW(RoundToInt16(-32768.6), ConversionError);
    EXPECT_THROW(RoundToInt16(-32769), ConversionError);
    EXPECT_THROW(RoundToInt16(1e300), ConversionError);
    EXPECT_THROW(RoundToInt16(std::numeric_limits<double>::infinity()), ConversionError);
    EXPECT_THROW(RoundToInt16(-std::numeric_limits<double>::infinity()), ConversionError);
}

TEST(NumberToText, WritesLikeFifteenDigitGeneralFormatInTheCLocale) {
    const std::vector<std::pair<double, std::string>> cases = {
        {10, "10"},
        {-3, "-3"},
        {0, "0"},
        {-0.0, "0"},
        {0.1 + 0.2, "0.3"},
        {-0.25, "-0.25"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456.78901234567, "123456.789012346"},
        {123456789012345, "123456789012345"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {-1e15, "-1E+15"},
        {1234567890123456, "1.23456789012346E+15"},
        {1e100, "1E+100"},
        {1.5e-7, "1.5E-07"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00001, "1E-05"},
        {-0.000015, "-1.5E-05"},
        {1e-300, "1E-300"},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(NumberToText(value), expected);
    }
}

// NumberToText takes the shortest digits of a value when there are at most 15 of them; it must
// write every value exactly as rounding to 15 digits does ("%.15G" in the C locale).
TEST(NumberToText, WritesEveryValueAsRoundingToFifteenDigitsDoes) {
    const auto rounded = [](double value) {
        char buffer[64];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
        std::string text(buffer, end.ptr);
        std::replace(text.begin(), text.end(), 'e', 'E');
        return text;
    };
    std::mt19937_64 random(20);
    std::vector<double> values = {1e15,
                                  1e15 - 0.5,
                                  1e15 + 0.5,
                                  999999999999999.4,
                                  1e-4,
                                  1e-5,
                                  0.1 + 0.2,
                                  1.0 / 3,
                                  2.5,
                                  -1e300,
                                  4.9e-324,
                                  2.2250738585072014e-308,
                                  std::numeric_limits<double>::max(),
                                  -0.000123456789012345678};
    for (int i = 0; i < 200'000; ++i) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        values.push_back(value);  // any double, subnormals and all
        const auto digits = static_cast<double>(
            static_cast<std::int64_t>(bits % 2'000'000'000'000'000) - 1'000'000'000'000'000);
        values.push_back(digits * std::pow(10.0, static_cast<int>(bits % 41) - 20));
        values.push_back(i * 0.125 - 40);
        // Few decimal places, as coordinates have them.
        values.push_back(
            static_cast<double>(static_cast<std::int64_t>(bits % 2'000'000'000) - 1'000'000'000) /
            std::pow(10.0, static_cast<int>(bits % 13)));
        values.push_back(-i / 7.0);
    }
    for (const double value : values) {
        if (std::isfinite(value) && value != 0) {
            ASSERT_EQ(NumberToText(value), rounded(value)) << std::hexfloat << value;
        }
    }
}

TEST(NumberToText, UsesADecimalPointUnderADecimalCommaLocale) {
    testing::LocaleGuard locale(testing::kDecimalCommaLocale);
    if (!locale.HasDecimalComma()) {
        GTEST_SKIP() << "locale " << testing::kDecimalCommaLocale << " is not installed";
    }
    EXPECT_EQ(NumberToText(1.5), "1.5");
    EXPECT_EQ(NumberToText(-0.25), "-0.25");
    EXPECT_EQ(NumberToText(1.5e-7), "1.5E-07");
    EXPECT_EQ(NumberToText(1234567.5), "1234567.5");
    EXPECT_EQ(TextToNumber("1.5"), 1.5);
    EXPECT_EQ(TextToNumber("1,5"), 1);
    EXPECT_EQ(TextToNumber("2.5E-1"), 0.25);
}

}  // namespace
}  // namespace walkconv
