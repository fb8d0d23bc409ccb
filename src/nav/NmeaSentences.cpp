#include "nav/NmeaSentences.h"

#include "display/NumberFormat.h"
#include "nav/NmeaChecksum.h"

#include <algorithm>

namespace vz {

namespace {

// Rows: the unit the depth is given in (feet, metres, fathoms); columns: feet, metres, fathoms.
constexpr double kDepthFactors[3][3] = {
    {1.0, 0.3048, 0.166666},
    {3.2808, 1.0, 0.5468},
    {6.0, 1.8288, 1.0},
};

} // namespace

DepthInAllUnits ConvertDepth(double depth, int depthUnits) {
    const auto& f = kDepthFactors[std::clamp(depthUnits, 0, 2)];
    return {depth * f[0], depth * f[1], depth * f[2]};
}

std::string MtwSentence(float celsius) {
    return WithNmeaChecksum("$SDMTW," + FormatNumber(celsius, "##.#0") + ",C*");
}

std::string DptSentence(double metres, double offsetMetres) {
    return WithNmeaChecksum("$SDDPT," + FormatNumber(metres, "####.0") + "," + FormatNumber(offsetMetres, "#0.0") + "*");
}

std::string DbtSentence(const DepthInAllUnits& depth) {
    return WithNmeaChecksum("$SDDBT," + FormatNumber(depth.feet, "#000.0") + ",f," + FormatNumber(depth.metres, "000.0") +
                            ",M," + FormatNumber(depth.fathoms, "000.0") + ",F*");
}

} // namespace vz
