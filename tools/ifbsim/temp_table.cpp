#include "temp_table.h"

#include <algorithm>
#include <cmath>

namespace ifbsim {

int32_t tempTableEntry(int degreesF) {
    // Thermistor in a divider with 10.2 kOhm on 5 V, read through the box's log converter.
    const double c = (degreesF - 32) * 0.555555;
    const double r = 12494.98 * std::exp(3881.7954 * (1.0 / (c + 273.0) - 0.00341297));
    const double v = r / (r + 10200.0) * 5.0;
    return static_cast<int32_t>(std::nearbyint(-35064.9 * std::log(1.0 - v / 5.0)));
}

uint16_t readingForTemperature(double degreesF) {
    const int whole =
        std::clamp(static_cast<int>(std::floor(degreesF)), kTempTableFirst, kTempTableLast - 1);
    const double upper = tempTableEntry(whole); // entries fall as the temperature rises
    const double lower = tempTableEntry(whole + 1);
    const double reading = upper - (degreesF - whole) * (upper - lower);
    return static_cast<uint16_t>(std::clamp(std::nearbyint(reading), 0.0, 65535.0));
}

} // namespace ifbsim
