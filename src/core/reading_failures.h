#pragma once

#include <cstdint>
#include <string_view>

#include "core/numbers.h"

// The failures both readers report when a file breaks a limit, each with its stable code and
// a message that names the number as the file writes it.
namespace walkconv {

// `value` rounded into 16 bits; else fails with "WHAT TEXT does not fit 16 bits
// (-32768..32767)", where `numberText` is the number as written.
std::int16_t Int16OrFail(double value, std::string_view what, std::string_view numberText);

// Int16OrFail for a number whose text `numberTextOf()` gives, worked out only for the message:
// a value within -32768..32767 rounds into 16 bits without it.
template <typename NumberTextOf>
std::int16_t Int16OrFailWith(double value, std::string_view what, NumberTextOf numberTextOf) {
    if (value >= -32768.0 && value <= 32767.0) {
        return RoundToInt16(value);
    }
    return Int16OrFail(value, what, numberTextOf());
}

// Fails with "WHAT NUMBER is outside 0..1000", followed by " (DETAIL)" when a detail is given.
[[noreturn]] void FailOutsideTable(std::string_view code, std::string_view what, int number,
                                   std::string_view numberText, std::string_view detail = {});

}  // namespace walkconv
