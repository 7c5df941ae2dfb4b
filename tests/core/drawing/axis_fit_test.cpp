#include "core/drawing/axis_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace walkconv {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

struct FitCase {
    const char* name;
    std::vector<AxisValues> axes;
    std::vector<double> lengths;  // expected, to within a millionth of a unit
};

TEST(FitOneScale, GivesEveryAxisTheSameScaleWithinItsMaximumForAnyFiniteValues) {
    const std::vector<FitCase> cases{
        {"the widest axis takes its maximum", {{0, 10, 900}, {-2, 2, 400}}, {900, 360}},
        {"the tallest axis limits the scale", {{0, 10, 900}, {0, 20, 400}}, {200, 400}},
        {"a single value", {{5, 5, 900}, {-1, 1, 400}}, {0, 400}},
        {"all values equal", {{5, 5, 900}, {5, 5, 400}}, {0, 0}},
        {"the whole range of doubles", {{-kMax, kMax, 900}, {-kMax, 0, 400}}, {800, 400}},
        {"huge and small together", {{-kMax, kMax, 900}, {0, 1, 400}}, {900, 0}},
        {"the smallest steps", {{0, 4 * kTiny, 900}, {0, 8 * kTiny, 400}}, {200, 400}},
        {"far from zero", {{1e300, 1.001e300, 900}, {-1e-300, 1e-300, 400}}, {900, 0}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<AxisFit> fits = FitOneScale(c.axes);
        ASSERT_EQ(fits.size(), c.lengths.size());
        for (std::size_t i = 0; i < fits.size(); ++i) {
            EXPECT_NEAR(fits[i].length, c.lengths[i], 1e-6) << "axis " << i;
            const AxisValues& axis = c.axes[i];
            EXPECT_EQ(fits[i].Offset(axis.low), 0);
            EXPECT_NEAR(fits[i].Offset(axis.high), fits[i].length, 1e-9);
            const double middle = fits[i].Offset(axis.low / 2 + axis.high / 2);
            EXPECT_TRUE(std::isfinite(middle));
            EXPECT_NEAR(middle, fits[i].length / 2, 1e-6);
        }
    }
}

TEST(AxisFit, OffsetsOfValuesOutsideTheAxisOrNotFiniteStayWithinIt) {
    const AxisFit fit = FitOneScale(std::vector<AxisValues>{{-1, 1, 100}}).front();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [value, offset] : std::vector<std::pair<double, double>>{
             {-5, 0}, {5, 100}, {nan, 0}, {inf, 100}, {-inf, 0}, {-kMax, 0}, {kMax, 100}}) {
        EXPECT_EQ(fit.Offset(value), offset) << value;
    }
}

}  // namespace
}  // namespace walkconv
