#pragma once
// Depths are measured in feet and shown in the user's depth units.

namespace vz {

// Feet in one unit of DepthUnits (0 feet, 1 metres, 2 fathoms); anything else counts as feet.
constexpr double FeetPerDepthUnit(int depthUnits) {
    switch (depthUnits) {
    case 1:
        return 3.280839;
    case 2:
        return 6.0;
    default:
        return 1.0;
    }
}

} // namespace vz
