#pragma once
// The simulated lake: the depth of its floor as a function of position, for the simulated GPS
// receiver and Interface Box to agree on what lies under the boat, and for measuring depth maps
// against the truth. An oval basin: a shallow shelf along the shore, a drop-off to the deep
// basin, a hump rising from it and a channel (an old river bed) across it. The seed moves and
// sizes the features; the same seed gives the same lake everywhere. Plain C++20, no Qt.
#include <cstdint>

namespace lake {

struct LatLon {
    double latDeg = 0; // north positive
    double lonDeg = 0; // east positive
};

// Metres east and north of the lake's centre.
struct Local {
    double eastM = 0;
    double northM = 0;
};

class Lake {
public:
    explicit Lake(std::uint64_t seed);

    // Depth of the floor below the surface in feet; 0 on the shore and beyond it.
    double depthFt(Local p) const;
    double depthFt(LatLon p) const { return depthFt(toLocal(p)); }

    // The lake's own plane: metres along the meridian and the parallel through its centre, with
    // the ellipsoid's radii of curvature there (exact by definition; a lake is small).
    Local toLocal(LatLon p) const;
    LatLon toLatLon(Local p) const;

    // Half axes of the oval shore, east and north, in metres.
    double halfAxisEastM() const { return halfEastM_; }
    double halfAxisNorthM() const { return halfNorthM_; }
    // The oval's normalised radius: 0 at the centre, 1 on the shore.
    double shoreRadius(Local p) const;

private:
    double halfEastM_, halfNorthM_;
    double humpEastM_, humpNorthM_, humpSigmaM_, humpTopFt_;
    double channelAngle_, channelOffsetM_, channelHalfWidthM_, channelFt_;
    double metresPerRadianNorth_, metresPerRadianEast_;
};

} // namespace lake
