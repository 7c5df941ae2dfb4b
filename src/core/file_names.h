#pragma once

#include <string>
#include <string_view>

namespace walkconv {

// The endings of the file names proposed for each format, after the model name. The readers
// cut as many characters from an input's file name to find its model name.
inline constexpr std::string_view kWalkSourceSuffix = "_walk.c";
inline constexpr std::string_view kSailorpointsSuffix = "1.ini";
// The picture of a model's walking graph.
inline constexpr std::string_view kGraphPictureSuffix = "_graph.svg";

inline std::string ProposedWalkSourceName(std::string_view model) {
    return std::string(model) + std::string(kWalkSourceSuffix);
}

inline std::string ProposedSailorpointsName(std::string_view model) {
    return std::string(model) + std::string(kSailorpointsSuffix);
}

inline std::string ProposedGraphName(std::string_view model) {
    return std::string(model) + std::string(kGraphPictureSuffix);
}

}  // namespace walkconv
