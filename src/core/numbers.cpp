#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

#include "core/conversion_error.h"

namespace walkconv {

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

// Any number, read by the rules alone: blanks anywhere, "&H" and "&O", exponents, digits beyond
// what a double holds exactly.
LeadingNumber ReadAnyLeadingNumber(std::string_view text) {
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

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// What a byte can be in a number, for the quick look of ReadLeadingNumber.
enum : unsigned char { kBlank = 1, kContinues = 2 };  // kContinues: a digit, ".", "E" or "D"
constexpr std::array<unsigned char, 256> kNumberBytes = [] {
    std::array<unsigned char, 256> table{};
    for (const char c : std::string_view(" \t\n")) {
        table[static_cast<unsigned char>(c)] = kBlank;
    }
    for (const char c : std::string_view("0123456789.EeDd")) {
        table[static_cast<unsigned char>(c)] = kContinues;
    }
    return table;
}();

// The numbers that files hold almost always: an optional sign and up to 19 digits with at most
// one ".", written without blanks inside and without an exponent, and not followed by blanks and
// then something that would continue them. Their digits form an integer; when it and the power
// of ten it is divided by are both exact doubles, one division gives the correctly rounded
// value, as std::from_chars does. Every other text goes to ReadAnyLeadingNumber.
double ReadNumberValue(std::string_view text) {
    const auto* const first = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = first + text.size();
    const auto* at = first;
    while (at != end && kNumberBytes[*at] == kBlank) {
        ++at;
    }
    const bool negative = at != end && *at == '-';
    at += at != end && (*at == '-' || *at == '+') ? 1 : 0;
    std::uint64_t digits = 0;
    const auto* const integerPart = at;
    for (unsigned digit = 0; at != end && (digit = *at - unsigned{'0'}) <= 9; ++at) {
        digits = digits * 10 + digit;
    }
    std::ptrdiff_t count = at - integerPart;
    std::ptrdiff_t decimals = 0;
    if (at != end && *at == '.') {
        const auto* const fraction = ++at;
        for (unsigned digit = 0; at != end && (digit = *at - unsigned{'0'}) <= 9; ++at) {
            digits = digits * 10 + digit;
        }
        decimals = at - fraction;
        count += decimals;
    }
    // Blanks are skipped wherever they stand, so what follows them could still continue the
    // number: "1 2" is 12.
    const auto* after = at;
    while (after != end && kNumberBytes[*after] == kBlank) {
        ++after;
    }
    constexpr std::uint64_t kExactIntegers = std::uint64_t{1} << 53;
    if (count == 0 || count > 19 || digits > kExactIntegers || decimals > 22 ||
        (after != end && kNumberBytes[*after] == kContinues)) {
        return ReadAnyLeadingNumber(text).value;
    }
    double value = static_cast<double>(digits);
    if (decimals > 0) {
        value /= kExactPowersOfTen[decimals];
    }
    return negative ? -value : value;
}

}  // namespace

double TextToNumber(std::string_view text) {
    return ReadNumberValue(text);
}

std::string_view LeadingNumberText(std::string_view text) {
    const LeadingNumber number = ReadAnyLeadingNumber(text);
    return text.substr(number.begin, number.end - number.begin);
}

std::int16_t RoundToInt16(double value) {
    if (value >= -32768.0 && value <= 32767.0) {
        const auto whole = static_cast<std::int16_t>(value);
        if (whole == value) {
            return whole;  // most indices: nothing to round
        }
    }
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0)) {
        rounded = floor + 1;
    }
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        throw ConversionError(
            Failure{failure_code::kNot16Bit, NumberToText(value) + " does not fit 16 bits"});
    }
    return static_cast<std::int16_t>(rounded);
}

namespace {

// `digits` (no leading or trailing zeros) times 10 to the power of `exponent`, as "%.15G" lays
// out a value whose rounding to 15 digits those are: scientific below 1E-4 and from 1E15 on,
// with at least two exponent digits, else plain; never with trailing zeros.
std::string LayOutAsGeneral(bool negative, std::string_view digits, int exponent) {
    std::string text = negative ? "-" : "";
    constexpr int kPrecision = 15;
    if (exponent < -4 || exponent >= kPrecision) {
        text += digits.front();
        if (digits.size() > 1) {
            text += '.';
            text += digits.substr(1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            text += '0';
        }
        text += std::to_string(magnitude);
    } else if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        text += digits.substr(0, whole);
        if (digits.size() > whole) {
            text += '.';
            text += digits.substr(whole);
        } else {
            text.append(whole - digits.size(), '0');
        }
    }
    return text;
}

// Writes a value of few decimal places, as coordinates mostly are, into `text`: the least k for
// which value times 10^k is a whole number m below 10^15 whose m / 10^k reads back as the
// value. That decimal has at most 15 digits and lies within half a unit of the value's last
// binary place, so it is the value's rounding to 15 digits; it is written plainly, as "%.15G"
// writes magnitudes from 1E-4 to below 1E15. False when there is no such k.
bool WriteFewDecimals(double value, std::string& text) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) {
        return false;
    }
    double scale = 1;  // 10^k, exact for every k used here
    for (std::size_t k = 0; k <= 18; ++k, scale *= 10) {
        const double scaled = magnitude * scale;
        if (scaled >= 1e15) {
            return false;
        }
        if (scaled != std::floor(scaled) || scaled / scale != magnitude) {
            continue;
        }
        char digits[24];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(scaled)).ptr;
        std::string_view all(digits, static_cast<std::size_t>(end - digits));
        std::size_t decimals = k;
        while (decimals > 0 && all.back() == '0') {  // no trailing zeros
            all.remove_suffix(1);
            --decimals;
        }
        text.clear();
        if (value < 0) {
            text += '-';
        }
        if (all.size() <= decimals) {
            text += "0.";
            text.append(decimals - all.size(), '0');
            text += all;
        } else {
            text += all.substr(0, all.size() - decimals);
            if (decimals > 0) {
                text += '.';
                text += all.substr(all.size() - decimals);
            }
        }
        return true;
    }
    return false;
}

}  // namespace

std::string NumberToText(double value) {
    if (value == 0) {
        return "0";
    }
    if (std::string text; WriteFewDecimals(value, text)) {
        return text;
    }
    char buffer[64];
    // The shortest digits that read back as the value, when there are at most 15 of them, are
    // also its rounding to 15 digits: the value lies within half a unit of its last binary
    // place of them, which is less than half a unit of the 15th decimal digit. (Not so for the
    // subnormal values, whose last binary place lies higher.) Finding them is several times
    // quicker than rounding to a precision.
    if (std::isfinite(value) && std::fabs(value) >= std::numeric_limits<double>::min()) {
        const auto shortest =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
        std::string_view text(buffer, static_cast<std::size_t>(shortest.ptr - buffer));
        const bool negative = text.front() == '-';
        text.remove_prefix(negative ? 1 : 0);
        const std::size_t e = text.find('e');  // "1.25e+02"
        char digits[32];
        std::size_t count = 0;
        for (const char c : text.substr(0, e)) {
            if (c != '.' && count < sizeof digits) {
                digits[count++] = c;
            }
        }
        std::string_view exponentText = text.substr(e + 1);
        const bool negativeExponent = exponentText.front() == '-';
        exponentText.remove_prefix(1);
        int exponent = 0;
        std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
        if (count <= 15) {
            return LayOutAsGeneral(negative, std::string_view(digits, count),
                                   negativeExponent ? -exponent : exponent);
        }
    }
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
    return text;
}

}  // namespace walkconv
