#include "controls/StepRepeat.h"

#include <cmath>

namespace vz {

int StepWithinBound(int value, int direction, int lower, int upper) {
    const int stepped = value + direction;
    if (direction > 0 && stepped > upper) return upper;
    if (direction < 0 && stepped < lower) return lower;
    return stepped;
}

int ScaledInterval(int ms, double factor) {
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(ms * factor));
}

} // namespace vz
