#pragma once

#include <gtest/gtest.h>

#include <string>

namespace walkconv::testing {

// `text` with the first `from` in it replaced by `to`; a `from` that is not there fails the test
// and leaves the text as it is.
inline std::string Edited(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace walkconv::testing
