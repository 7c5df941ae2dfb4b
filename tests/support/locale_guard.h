#pragma once

#include <clocale>
#include <string>

#include "support/platform.h"

namespace walkconv::testing {

// Switches the C library's locale for the lifetime of the guard and restores the previous one.
// The window toolkit sets the locale from the environment, so the number helpers must give the
// same text under a locale with the decimal comma.
class LocaleGuard {
  public:
    explicit LocaleGuard(const char* name) {
        if (const char* current = std::setlocale(LC_ALL, nullptr)) {
            previous_ = current;
        }
        active_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleGuard() { std::setlocale(LC_ALL, previous_.c_str()); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

    // True when the locale was switched and its decimal separator is a comma.
    bool HasDecimalComma() const {
        return active_ && std::string(std::localeconv()->decimal_point) == ",";
    }

  private:
    std::string previous_ = "C";
    bool active_ = false;
};

// A locale with the decimal comma: on Linux the one that scripts/install-deps.sh generates, on
// Windows one that every installation has.
inline constexpr const char* kDecimalCommaLocale =
    kOnWindows ? "German_Germany.1252" : "de_DE.UTF-8";

}  // namespace walkconv::testing
