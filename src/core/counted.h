#pragma once

#include <string>
#include <string_view>

namespace walkconv {

// "1 point", "2 points"; `plural` for nouns that do not just take an "s".
inline std::string Counted(int count, std::string_view noun, std::string_view plural = {}) {
    const std::string many = plural.empty() ? std::string(noun) + "s" : std::string(plural);
    return std::to_string(count) + " " + (count == 1 ? std::string(noun) : many);
}

}  // namespace walkconv
