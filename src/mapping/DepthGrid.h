#pragma once
// Depths gridded by position: soundings in a plane (metres east and north) become a grid of
// cells whose value is the depth at the cell's centre, estimated from the soundings near it by a
// weighted plane fit (so a slope does not pull a cell towards where its soundings happen to lie).
// A cell with no sounding within the reach stays empty: no depth is made up beyond it.
#include <cmath>
#include <cstddef>
#include <vector>

namespace vz {

struct Sounding {
    double east = 0, north = 0; // metres in the map's plane
    float depth = 0;            // in the map's depth units
};

// Cells of `cell` metres; column 0 and row 0 are the north-west corner's.
struct GridGeometry {
    double west = 0, north = 0;
    double cell = 1;
    int columns = 0, rows = 0;
    double centreEast(int column) const { return west + (column + 0.5) * cell; }
    double centreNorth(int row) const { return north - (row + 0.5) * cell; }
};

struct DepthGrid {
    GridGeometry geometry;
    std::vector<float> depth; // row by row from the north; NaN for an empty cell

    float at(int column, int row) const { return depth[static_cast<std::size_t>(row) * geometry.columns + column]; }
    static bool isEmpty(float d) { return std::isnan(d); }
};

// The grid over the soundings' extent, its edges on whole multiples of `cellM` (so maps of the
// same water line up). A cell with a sounding within `reachM` of its centre is estimated from the
// soundings around it: the search starts at one cell and widens until enough are found, with one
// within the cell's size or spread all round (so that between survey lines both lines count),
// up to twice the reach. Cells farther than `reachM` from every sounding stay empty.
DepthGrid GridSoundings(const std::vector<Sounding>& soundings, double cellM, double reachM);

} // namespace vz
