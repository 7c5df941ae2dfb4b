#include "reference/reference_readers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/conversion_error.h"

namespace walkconv::reference {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks a text while skipping blanks before every character it hands out.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) {}

    // The next non-blank character, or '\0' at the end.
    char Peek() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Advance() { ++pos_; }
    std::size_t Position() const { return pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

int DigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 99;
}

// "&H1F", "&O17": an unsigned integer in base 16 or 8; `end` moves past its last digit.
double ReadRadixInteger(Cursor& cursor, int base, std::size_t& end) {
    double value = 0;
    for (int digit = DigitValue(cursor.Peek()); digit < base; digit = DigitValue(cursor.Peek())) {
        value = value * base + digit;
        cursor.Advance();
        end = cursor.Position();
    }
    return value;
}

// The decimal exponent of the leading digit of `mantissa` ("0.00123" gives -3, "450" gives 2),
// plus `exponent`. Only used to tell an overflow from an underflow.
long long MagnitudeOf(std::string_view mantissa, long long exponent) {
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return std::numeric_limits<long long>::min();
    }
    const long long lead = first < point ? static_cast<long long>(point - first) - 1
                                         : -static_cast<long long>(first - point);
    return lead + exponent;
}

}  // namespace

namespace {

// The value of the number with which `text` begins, and where in `text` it stands.
struct LeadingNumber {
    double value = 0;
    std::size_t begin = 0;  // its first character, after the blanks before it
    std::size_t end = 0;    // one past its last character; begin when there is no number
};

// A number beyond the largest double, as the text writes it.
[[noreturn]] void FailTooLarge(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string written(text.substr(begin, end - begin));
    throw ConversionError(Failure{failure_code::kNumberTooLarge,
                                  "number " + written + " is beyond the range of a 64-bit float",
                                  written});
}

LeadingNumber ReadLeadingNumber(std::string_view text) {
    Cursor cursor(text);
    LeadingNumber number;
    cursor.Peek();
    number.begin = number.end = cursor.Position();
    if (cursor.Peek() == '&') {
        cursor.Advance();
        const char radix = cursor.Peek();
        if (radix == 'H' || radix == 'h' || radix == 'O' || radix == 'o') {
            cursor.Advance();
            number.value =
                ReadRadixInteger(cursor, radix == 'H' || radix == 'h' ? 16 : 8, number.end);
            if (std::isinf(number.value)) {
                FailTooLarge(text, number.begin, number.end);
            }
        }
        return number;
    }

    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        negative = cursor.Peek() == '-';
        cursor.Advance();
    }

    std::string mantissa;
    bool seenPoint = false;
    bool seenDigit = false;
    for (char c = cursor.Peek(); IsDigit(c) || (c == '.' && !seenPoint); c = cursor.Peek()) {
        seenPoint = seenPoint || c == '.';
        seenDigit = seenDigit || IsDigit(c);
        mantissa += c;
        cursor.Advance();
        number.end = cursor.Position();
    }
    if (!seenDigit) {
        number.end = number.begin;
        return number;
    }

    // An exponent counts only when at least one digit follows its letter and sign.
    long long exponent = 0;
    const char e = cursor.Peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        cursor.Advance();
        bool negativeExponent = false;
        if (cursor.Peek() == '+' || cursor.Peek() == '-') {
            negativeExponent = cursor.Peek() == '-';
            cursor.Advance();
        }
        if (IsDigit(cursor.Peek())) {
            constexpr long long kExponentCap = 1'000'000'000;  // far beyond any double
            for (char c = cursor.Peek(); IsDigit(c); c = cursor.Peek()) {
                exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
                cursor.Advance();
                number.end = cursor.Position();
            }
            exponent = negativeExponent ? -exponent : exponent;
        }
    }

    std::string normal = mantissa + "e" + std::to_string(exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (MagnitudeOf(mantissa, exponent) >= 0) {
            FailTooLarge(text, number.begin, number.end);
        }
        value = 0;  // underflow
    } else if (error != std::errc{}) {
        return LeadingNumber{0, number.begin, number.begin};
    }
    number.value = negative ? -value : value;
    return number;
}

}  // namespace

double TextToNumber(std::string_view text) {
    return ReadLeadingNumber(text).value;
}

std::string_view LeadingNumberText(std::string_view text) {
    const LeadingNumber number = ReadLeadingNumber(text);
    return text.substr(number.begin, number.end - number.begin);
}

std::string NumberToText(double value) {
    if (value == 0) {
        return "0";
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
    return text;
}

}  // namespace walkconv::reference
