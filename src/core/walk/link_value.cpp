#include "core/walk/link_value.h"

#include <array>

namespace walkconv {

namespace {

constexpr std::int64_t kLargest = std::int64_t{1} << 62;

// The items of the value once its parentheses are set aside: a number, "*" or "+". A link
// value has one item (N) or five (A * 256 + B).
enum class Item { Number, Times, Plus };
constexpr int kMostItems = 5;

// C allows 63 levels of nested parentheses in an expression; deeper nesting is not read.
constexpr int kDeepest = 63;

bool IsSpaceInLine(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// True for the bytes that would continue a literal into a longer token ("1u", "1.5", "0x1g").
bool ContinuesToken(char c) {
    const char lower = static_cast<char>(c | 0x20);
    return IsDecimalDigit(c) || (lower >= 'a' && lower <= 'z') || c == '_' || c == '.';
}

int DigitValue(char c) {
    if (IsDecimalDigit(c)) {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : 99;
}

// Left uninitialised until read, as the items and the open parentheses below: a graph
// statement of every walk source comes here, and zeroing them would cost more than reading.
struct Number {
    std::int64_t value;
    std::string_view text;
    bool decimal;  // written as a decimal literal, as TextToNumber reads it too
};

// Reads the number at `pos` (sign, blanks, literal) and moves past it; false when none is there
// or the literal runs on into letters or digits it cannot hold ("08", "1u", "0x").
bool ReadNumber(std::string_view text, std::size_t& pos, Number& number) {
    const std::size_t start = pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
        while (pos < text.size() && IsSpaceInLine(text[pos])) {
            ++pos;
        }
    }
    if (pos >= text.size() || !IsDecimalDigit(text[pos])) {
        return false;
    }
    int base = 10;
    if (text[pos] == '0' && pos + 1 < text.size()) {
        if ((text[pos + 1] | 0x20) == 'x') {
            base = 16;
            pos += 2;
        } else if (IsDecimalDigit(text[pos + 1])) {
            base = 8;
        }
    }
    const std::size_t digits = pos;
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = base == 16 ? DigitValue(text[pos]) : text[pos] - '0';
        if (digit < 0 || digit >= base) {
            break;
        }
        value = value > (kLargest - digit) / base ? kLargest : value * base + digit;
    }
    if (pos == digits || (pos < text.size() && ContinuesToken(text[pos]))) {
        return false;
    }
    number = {negative ? -value : value, text.substr(start, pos - start), base == 10};
    return true;
}

// Which parts a pair of parentheses may enclose, as [first item, last item + 1): a part that C
// evaluates on its own and whose value then stays the same. Bit (6 * first + end) of a mask.
constexpr std::uint64_t Part(int first, int end) {
    return std::uint64_t{1} << (6 * first + end);
}
constexpr std::uint64_t kOneNumberParts = Part(0, 1);
constexpr std::uint64_t kProductParts =
    Part(0, 1) | Part(2, 3) | Part(4, 5) | Part(0, 3) | Part(0, 5);
constexpr std::uint64_t kWriterParts = Part(0, 1) | Part(4, 5);

// Reads the decimal number at `pos` ("-" and up to 18 digits, no leading zero) for the walk
// writer's own spelling, and moves past it.
bool ReadWriterNumber(std::string_view text, std::size_t& pos, std::int64_t& value,
                      std::string_view& written) {
    const std::size_t start = pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    pos += negative ? 1 : 0;
    const std::size_t digits = pos;
    value = 0;
    while (pos < text.size() && IsDecimalDigit(text[pos]) && pos - digits < 18) {
        value = value * 10 + (text[pos++] - '0');
    }
    const std::size_t length = pos - digits;
    if (length == 0 || (length > 1 && text[digits] == '0') ||
        (pos < text.size() && IsDecimalDigit(text[pos]))) {
        return false;
    }
    value = negative ? -value : value;
    written = text.substr(start, pos - start);
    return true;
}

// "(A)*256 + (B)" exactly as the walk writer spells it, blanks around it only: every link of a
// file the tool wrote, read without the general reading below.
bool ReadWriterSpelling(std::string_view text, LinkValue& link) {
    std::size_t pos = text.find_first_not_of(' ');
    constexpr std::string_view kMiddle = ")*256 + (";
    if (pos == std::string_view::npos || text[pos] != '(' ||
        !ReadWriterNumber(text, ++pos, link.first, link.firstText) ||
        text.compare(pos, kMiddle.size(), kMiddle) != 0 ||
        !ReadWriterNumber(text, pos += kMiddle.size(), link.second, link.secondText) ||
        pos >= text.size() || text[pos] != ')') {
        return false;
    }
    link.form = LinkForm::Parenthesised;
    return text.find_first_not_of(' ', pos + 1) == std::string_view::npos;
}

}  // namespace

LinkValue ReadLinkValue(std::string_view value) {
    if (LinkValue link; ReadWriterSpelling(value, link)) {
        return link;
    }
    std::array<Item, kMostItems> items;
    std::array<Number, kMostItems> numbers;
    std::array<std::uint8_t, kDeepest> opened;  // the item at which each open parenthesis stands
    int depth = 0;
    int count = 0;
    std::uint64_t parts = 0;  // the parts enclosed
    int parentheses = 0;      // how many pairs
    const LinkValue other;
    for (std::size_t pos = 0; pos < value.size();) {
        const char c = value[pos];
        const bool wantsNumber = count == 0 || items[count - 1] != Item::Number;
        if (IsSpaceInLine(c)) {
            ++pos;
        } else if (c == '(' && wantsNumber) {
            if (depth == kDeepest) {
                return other;
            }
            opened[depth++] = static_cast<std::uint8_t>(count);
            ++pos;
        } else if (c == ')' && !wantsNumber && depth > 0) {
            parts |= Part(opened[--depth], count);
            ++parentheses;
            ++pos;
        } else if (count == kMostItems) {
            return other;
        } else if (wantsNumber) {
            if (!ReadNumber(value, pos, numbers[count])) {
                return other;
            }
            items[count++] = Item::Number;
        } else if (c == '*' || c == '+') {
            items[count++] = c == '*' ? Item::Times : Item::Plus;
            ++pos;
        } else {
            return other;
        }
    }
    if (depth != 0) {
        return other;
    }
    if (count == 1 && (parts & ~kOneNumberParts) == 0) {
        const Number& n = numbers[0];
        return {LinkForm::OneNumber, n.value / 256, n.value % 256, n.text, n.text};
    }
    const bool product = count == kMostItems && items[1] == Item::Times &&
                         items[2] == Item::Number && numbers[2].value == 256 &&
                         items[3] == Item::Plus && items[4] == Item::Number;
    if (!product || (parts & ~kProductParts) != 0) {
        return other;
    }
    const Number& a = numbers[0];
    const Number& b = numbers[4];
    const bool asWritten = parts == kWriterParts && parentheses == 2 && a.decimal && b.decimal &&
                           numbers[2].text == "256";
    return {asWritten ? LinkForm::Parenthesised : LinkForm::Product, a.value, b.value, a.text,
            b.text};
}

}  // namespace walkconv
