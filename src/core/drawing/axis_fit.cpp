#include "core/drawing/axis_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace walkconv {

double AxisFit::Offset(double value) const {
    if (!(halfSpan > 0)) {
        return 0;
    }
    const double share = (value / 2 - low / 2) / halfSpan;
    // NaN fails both comparisons and lands on 0 as well.
    return share >= 0 ? std::min(share, 1.0) * length : 0;
}

std::vector<AxisFit> FitOneScale(std::span<const AxisValues> axes) {
    std::vector<AxisFit> fits;
    double widest = 0;
    for (const AxisValues& axis : axes) {
        AxisFit fit;
        fit.low = axis.low;
        const double halfSpan = axis.high / 2 - axis.low / 2;
        fit.halfSpan = halfSpan > 0 && std::isfinite(halfSpan) ? halfSpan : 0;
        widest = std::max(widest, fit.halfSpan);
        fits.push_back(fit);
    }
    if (widest == 0) {
        return fits;
    }
    // Each span as a share of the widest (at most 1, so nothing overflows); the scale is the
    // largest that keeps every share within its maximum length.
    double scale = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < fits.size(); ++i) {
        const double share = fits[i].halfSpan / widest;
        if (share > 0) {
            scale = std::min(scale, std::max(axes[i].maxLength, 0.0) / share);
        }
    }
    for (AxisFit& fit : fits) {
        fit.length = fit.halfSpan / widest * scale;
    }
    return fits;
}

}  // namespace walkconv
