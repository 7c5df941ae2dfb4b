#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace walkconv {

// The stable identifiers of the reasons an analysis fails; scripts may rely on them.
namespace failure_code {
inline constexpr std::string_view kNumberTooLarge = "number-too-large";
inline constexpr std::string_view kNot16Bit = "not-16-bit";
inline constexpr std::string_view kPointOutOfRange = "point-out-of-range";
inline constexpr std::string_view kTypeOutOfRange = "type-out-of-range";
inline constexpr std::string_view kLinkOutOfRange = "link-out-of-range";
inline constexpr std::string_view kTooManyLinks = "too-many-links";
inline constexpr std::string_view kFileNameTooShort = "file-name-too-short";
inline constexpr std::string_view kUnreadable = "unreadable";
}  // namespace failure_code

// Why a command failed, and where, as the values a message is made of.
struct Failure {
    Failure() = default;
    Failure(std::string_view code, std::string message, std::string numberText = {})
        : code(code), message(std::move(message)), numberText(std::move(numberText)) {}

    std::string code;        // one of failure_code, or empty for a failure without one
    std::string message;     // one line: "point number 1001 is outside 0..1000 (index 3003)"
    std::string numberText;  // the number as the file writes it, when a number was at fault
    int line = 0;            // 1-based line where the reader stopped; 0 when there is none
    int column = 0;          // 1-based byte column of the statement or word read there
    // That line as the file holds it, cut around the column to at most 200 bytes with "..."
    // where it was cut, and the column's place in it; empty when there is no line.
    std::string lineText;
    int lineTextColumn = 0;
};

// Every failure inside a command (a table index out of range, a number that does not fit,
// a file that cannot be read or written, a cancelled save dialog) is thrown as this type and
// caught in the command's one handler.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(const std::string& what) : ConversionError(Failure({}, what)) {}
    explicit ConversionError(Failure failure)
        : std::runtime_error(failure.message), failure_(std::move(failure)) {}

    const Failure& failure() const { return failure_; }

    // Gives the failure the place where the reader stopped, unless it has one already.
    void Locate(int line, int column) {
        if (failure_.line == 0) {
            failure_.line = line;
            failure_.column = column;
        }
    }

  private:
    Failure failure_;
};

}  // namespace walkconv
