// TextToNumber on any bytes: a finite value or ConversionError, nothing else. Plain decimal
// numbers agree with the C library's strtod, and the 15-digit text of every value reads back
// as the same text.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/conversion_error.h"
#include "core/numbers.h"
#include "fuzz_support.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix of the form [+-]digits[.digits][(e|E)[+-]digits] (with at least one
// mantissa digit), or empty when `text` does not begin with such a number.
std::string_view PlainDecimalPrefix(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return {};
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return text.substr(0, i);
}

// The 15-digit text of `value` reads back without changing, unless rounding to 15 digits
// took it beyond the largest double.
void CheckTextRoundTrip(double value) {
    using namespace walkconv;
    const std::string text = NumberToText(value);
    try {
        walkconv::fuzz::Require(NumberToText(TextToNumber(text)) == text,
                                "a 15-digit text reads back as itself");
    } catch (const ConversionError&) {
        walkconv::fuzz::Require(std::fabs(value) > 1.79769313486231E+308,
                                "only a rounding beyond the largest double fails to read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace walkconv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const char next = text.size() > PlainDecimalPrefix(text).size()
                          ? text[PlainDecimalPrefix(text).size()]
                          : '\0';
    // Blanks, "D" exponents and a further "+" or "-" after the exponent letter are read by
    // TextToNumber but not by strtod; compare only where both read the same characters.
    const bool plain = !PlainDecimalPrefix(text).empty() && next != ' ' && next != '\t' &&
                       next != '\n' && next != 'd' && next != 'D' && next != 'e' && next != 'E' &&
                       next != '.' && !IsDigit(next);

    double value = 0;
    try {
        value = TextToNumber(text);
    } catch (const ConversionError&) {
        if (plain) {
            const std::string prefix(PlainDecimalPrefix(text));
            errno = 0;
            const double expected = std::strtod(prefix.c_str(), nullptr);
            fuzz::Require(errno == ERANGE && std::isinf(expected),
                          "only a number beyond the largest double fails");
        }
        return 0;
    }
    fuzz::Require(std::isfinite(value), "the value is finite");

    if (plain) {
        const std::string prefix(PlainDecimalPrefix(text));
        errno = 0;
        const double expected = std::strtod(prefix.c_str(), nullptr);
        fuzz::Require(!std::isinf(expected), "an overflow is reported");
        if (errno == ERANGE) {
            fuzz::Require(std::fabs(value) <= DBL_MIN, "an underflow reads as 0 or subnormal");
        } else {
            fuzz::Require(value == expected, "a plain decimal number agrees with strtod");
        }
    }
    CheckTextRoundTrip(value);
    return 0;
}
