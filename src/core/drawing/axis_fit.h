#pragma once

#include <span>
#include <vector>

// Fitting coordinates of any finite size into a picture with one scale for every axis. The
// spans are kept halved (high/2 - low/2), so that no difference of two doubles overflows, and
// every result is finite however large, small or equal the values are.
namespace walkconv {

// The values of one axis, and the most picture units it may take.
struct AxisValues {
    double low = 0;   // smallest value
    double high = 0;  // largest value
    double maxLength = 0;
};

// Where the values of one axis go: offsets 0..length from the place of `low`.
struct AxisFit {
    double low = 0;
    double halfSpan = 0;  // high/2 - low/2
    double length = 0;    // picture units from low to high

    // The offset of `value` from low, in picture units, within 0..length; 0 for every value
    // when the axis has a single value.
    double Offset(double value) const;
};

// One scale for all `axes`, as large as it can be while no axis takes more than its maximum.
// An axis whose values are all equal (or too close for a double to tell their half-distance)
// gets length 0; when every axis is so, every length is 0.
std::vector<AxisFit> FitOneScale(std::span<const AxisValues> axes);

}  // namespace walkconv
