#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text conventions shared by the readers: case-blind search, line splitting, file names.
namespace walkconv {

// Upper-cases the ASCII letters; every other byte stays as it is.
std::string ToUpperAscii(std::string_view text);

// The text after the first `c`; the whole text when it holds no `c`.
std::string_view TextAfterFirst(std::string_view text, char c);

// The file name of a path: the text after its last "/" or "\".
std::string_view FileNameOf(std::string_view path);

// `text` without its last `count` characters (UTF-8 sequences count as one character).
// Throws ConversionError when the text is shorter.
std::string DropLastCharacters(std::string_view text, std::size_t count);

// Splits a text into lines. A line ends at CR LF, at CR alone or at LF alone; the end is not
// part of the line, and a final line end starts no further line. An empty text has no lines.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text) : rest_(text) {}

    // Puts the next line into `line`; false when the text is used up.
    bool Next(std::string_view& line);

  private:
    std::string_view rest_;
};

}  // namespace walkconv
