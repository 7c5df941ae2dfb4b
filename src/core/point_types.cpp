#include "core/point_types.h"

namespace walkconv {

// Exact comparisons: a type of 7.5 is no code of either kind and stays as it is.
double WalkTypeInSailorpoints(double type) {
    if (type == 5) {
        return 10;
    }
    if (type == 4) {
        return 7;
    }
    return type;
}

double SailorpointsTypeInWalk(double type) {
    if (type == 7 || type == 8 || type == 9) {
        return 4;
    }
    if (type == 10) {
        return 5;
    }
    return type;
}

}  // namespace walkconv
