#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number reading and writing shared by both readers and both writers. None of them depends
// on the C library's locale: "." is always the decimal point.
namespace walkconv {

// The value of the number with which `text` begins. Blanks, tabs and line feeds are skipped
// wherever they stand; then an optional sign, digits with at most one ".", and an optional
// exponent ("E" or "D", either case). "&H..." and "&O..." are unsigned hexadecimal and octal
// integers. A text in which no number begins gives 0; a value too small for a double reads as
// 0 (or the subnormal value). Throws ConversionError only for a value beyond the largest double.
double TextToNumber(std::string_view text);

// The part of `text` that TextToNumber reads as its number, as written: from its first character
// after the blanks before it to its last ("1.5E+3" of " 1.5E+3;"); empty when none begins there.
std::string_view LeadingNumberText(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour; throws ConversionError when the
// result lies outside -32768..32767.
std::int16_t RoundToInt16(double value);

// The value as C's "%.15G" writes it in the C locale ("10", "0.3", "1E+15", "1.5E-07"),
// except that a negative zero is written "0".
std::string NumberToText(double value);

}  // namespace walkconv
