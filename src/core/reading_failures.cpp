#include "core/reading_failures.h"

#include <string>

#include "core/conversion_error.h"
#include "core/numbers.h"

namespace walkconv {

std::int16_t Int16OrFail(double value, std::string_view what, std::string_view numberText) {
    try {
        return RoundToInt16(value);
    } catch (const ConversionError&) {
        throw ConversionError(Failure{failure_code::kNot16Bit,
                                      std::string(what) + " " + std::string(numberText) +
                                          " does not fit 16 bits (-32768..32767)",
                                      std::string(numberText)});
    }
}

void FailOutsideTable(std::string_view code, std::string_view what, int number,
                      std::string_view numberText, std::string_view detail) {
    std::string message = std::string(what) + " " + std::to_string(number) + " is outside 0..1000";
    if (!detail.empty()) {
        message += " (" + std::string(detail) + ")";
    }
    throw ConversionError(Failure{code, message, std::string(numberText)});
}

}  // namespace walkconv
