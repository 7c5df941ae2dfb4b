#pragma once

#include <cstddef>
#include <cstdint>

// The plain values every picture of the graph and of the ship's model is made of.
namespace walkconv {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colours every painter uses beside those of the point types.
inline constexpr Rgb kTextColor{0x22, 0x22, 0x22};
inline constexpr Rgb kFrameColor{0xbb, 0xbb, 0xbb};
inline constexpr Rgb kLinkColor{0x99, 0x99, 0x99};
inline constexpr Rgb kFindingColor{0xd6, 0x27, 0x28};  // everything a finding is about

// A place in the picture, in picture units: x to the right and y downward from the top left.
struct Spot {
    double x = 0;
    double y = 0;

    friend bool operator==(const Spot&, const Spot&) = default;
};

// The two views, one above the other, with one horizontal scale along z: the top view shows x
// upward, the side view y. Arrays of per-view places are indexed by these.
inline constexpr std::size_t kTopView = 0;
inline constexpr std::size_t kSideView = 1;
inline constexpr std::size_t kViewCount = 2;

// The frame around the plot of one view.
struct ViewFrame {
    Spot topLeft;
    double width = 0;
    double height = 0;

    friend bool operator==(const ViewFrame&, const ViewFrame&) = default;
};

}  // namespace walkconv
