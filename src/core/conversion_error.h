#pragma once

#include <stdexcept>
#include <string>

namespace walkconv {

// Every failure inside a command (a table index out of range, a number that does not fit,
// a file that cannot be read or written, a cancelled save dialog) is thrown as this type and
// caught in the command's one handler.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace walkconv
