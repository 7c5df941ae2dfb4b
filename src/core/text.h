#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Text conventions shared by the readers: case-blind search, line splitting, file names.
namespace walkconv {

// What the searches of a text return when they find nothing.
inline constexpr std::size_t kNone = std::string_view::npos;

// Upper-cases the ASCII letters; every other byte stays as it is.
std::string ToUpperAscii(std::string_view text);

// The upper case of every byte: the ASCII letters upper-cased, every other byte as it is.
inline constexpr std::array<unsigned char, 256> kUpperCase = [] {
    std::array<unsigned char, 256> table{};
    for (std::size_t c = 0; c < table.size(); ++c) {
        table[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return table;
}();

// True when `text` begins with `upperNeedle` (upper case), its ASCII letters in either case.
inline bool StartsWithAnyCase(std::string_view text, std::string_view upperNeedle) {
    if (text.size() < upperNeedle.size()) {
        return false;
    }
    for (std::size_t i = 0; i < upperNeedle.size(); ++i) {
        if (kUpperCase[static_cast<unsigned char>(text[i])] !=
            static_cast<unsigned char>(upperNeedle[i])) {
            return false;
        }
    }
    return true;
}

// The first position at or after `from` of a byte c for which (c | fold) is `a` or `b`; npos
// when there is none. With `fold` 0 the bytes themselves are sought; with `fold` 0x20 and
// lower-case letters, the letters in either case ('p' finds "P" and "p"). It reads eight bytes
// at a time, stops at the first byte found, and needs no intrinsics.
std::size_t FindEitherByte(std::string_view text, std::size_t from, unsigned char a,
                           unsigned char b, unsigned char fold = 0);

// The first position at or after `from` where `upperNeedle` (upper case) stands in `text` with
// its ASCII letters in either case, as if both were upper-cased and searched plainly; npos when
// there is none. Time linear in the length searched, without copying the text.
//
// The search looks for one byte of the needle, its anchor, in both cases, and compares the
// needle only where it finds one. By default the anchor is the needle's first byte that is no
// letter ("_" of "WALK_VERTS"), else its first letter; a caller that knows which of its letters
// is rare in the text (the "V" of "WALK_VERTS") gives its index as `anchor`.
std::size_t FindAnyCase(std::string_view text, std::string_view upperNeedle, std::size_t from = 0);
std::size_t FindAnyCase(std::string_view text, std::string_view upperNeedle, std::size_t from,
                        std::size_t anchor);

// The text after the first `c`; the whole text when it holds no `c`.
std::string_view TextAfterFirst(std::string_view text, char c);

// The file name of a path: the text after its last "/" or "\".
std::string_view FileNameOf(std::string_view path);

// `text` without its last `count` characters (UTF-8 sequences count as one character).
// Throws ConversionError when the text is shorter.
std::string DropLastCharacters(std::string_view text, std::size_t count);

// Where the line after the one ending at `lineEnd` begins: past its CR LF, CR or LF; the
// text's end when the line is the last.
std::size_t NextLineStart(std::string_view text, std::size_t lineEnd);

// Splits a text into lines. A line ends at CR LF, at CR alone or at LF alone; the end is not
// part of the line, and a final line end starts no further line. An empty text has no lines.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text)
        : text_(text), nextCr_(text.find('\r')), nextLf_(text.find('\n')) {}

    // Puts the next line into `line`; false when the text is used up.
    bool Next(std::string_view& line);

  private:
    std::string_view text_;
    std::size_t pos_ = 0;  // where the next line starts
    // The first CR and the first LF at or after pos_ (npos when there is none), each found with
    // memchr and searched for again only once passed: a text without one of them is not
    // searched for it at every line.
    std::size_t nextCr_;
    std::size_t nextLf_;
};

}  // namespace walkconv
