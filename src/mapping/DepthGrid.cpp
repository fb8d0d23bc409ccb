#include "mapping/DepthGrid.h"

#include <algorithm>
#include <limits>

namespace vz {

namespace {

// Enough soundings around a cell for a plane through them to stand on.
constexpr std::size_t kEnoughSoundings = 6;
// Soundings spread "all round" when their positions spread this share of the radius across.
constexpr double kSpreadAcross = 0.15;
// Keeps the fit's slope small across a single line of soundings, where the data cannot say.
constexpr double kSlopeDamping = 0.002;

// The soundings sorted into square bins, for finding those near a point.
class Bins {
public:
    Bins(const std::vector<Sounding>& soundings, const GridGeometry& g, double binM)
        : soundings_(soundings), west_(g.west), north_(g.north), binM_(binM),
          columns_(static_cast<int>(std::ceil(g.columns * g.cell / binM)) + 1),
          rows_(static_cast<int>(std::ceil(g.rows * g.cell / binM)) + 1),
          start_(static_cast<std::size_t>(columns_) * rows_ + 1, 0) {
        std::vector<std::size_t> binOf(soundings.size());
        for (std::size_t i = 0; i < soundings.size(); ++i) {
            binOf[i] = bin(column(soundings[i].east), row(soundings[i].north));
            ++start_[binOf[i] + 1];
        }
        for (std::size_t b = 1; b < start_.size(); ++b) start_[b] += start_[b - 1];
        order_.resize(soundings.size());
        std::vector<std::size_t> next(start_.begin(), start_.end() - 1);
        for (std::size_t i = 0; i < soundings.size(); ++i) order_[next[binOf[i]]++] = i;
    }

    // Calls `use` with each sounding within `radius` of the point.
    template <typename Use>
    void near(double east, double north, double radius, Use&& use) const {
        const int c0 = column(east - radius), c1 = column(east + radius);
        const int r0 = row(north + radius), r1 = row(north - radius);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                for (std::size_t k = start_[bin(c, r)]; k < start_[bin(c, r) + 1]; ++k) {
                    const Sounding& s = soundings_[order_[k]];
                    const double de = s.east - east, dn = s.north - north;
                    if (de * de + dn * dn <= radius * radius) use(s, de, dn);
                }
    }

private:
    int column(double east) const { return std::clamp(static_cast<int>((east - west_) / binM_), 0, columns_ - 1); }
    int row(double north) const { return std::clamp(static_cast<int>((north_ - north) / binM_), 0, rows_ - 1); }
    std::size_t bin(int c, int r) const { return static_cast<std::size_t>(r) * columns_ + c; }

    const std::vector<Sounding>& soundings_;
    double west_, north_, binM_;
    int columns_, rows_;
    std::vector<std::size_t> start_, order_;
};

// Weighted least squares of depth = mean + slope . (position - mean position); the depth at the
// centre follows from the mean along the slope. The slope is damped a little, so that across a
// single line of soundings, where the data cannot tell it, it stays near zero.
class PlaneFit {
public:
    void add(double de, double dn, double depth, double weight) {
        w_ += weight;
        e_ += weight * de;
        n_ += weight * dn;
        z_ += weight * depth;
        ee_ += weight * de * de;
        en_ += weight * de * dn;
        nn_ += weight * dn * dn;
        ez_ += weight * de * depth;
        nz_ += weight * dn * depth;
        lowest_ = std::min(lowest_, depth);
        highest_ = std::max(highest_, depth);
    }

    // Whether the soundings spread both ways, not along one line only: the smaller spread of
    // their positions (standard deviation across) is at least `across` metres.
    bool spreadsBothWays(double across) const {
        const double e = e_ / w_, n = n_ / w_;
        const double cee = ee_ / w_ - e * e, cnn = nn_ / w_ - n * n, cen = en_ / w_ - e * n;
        const double smaller = (cee + cnn) / 2 - std::sqrt((cee - cnn) * (cee - cnn) / 4 + cen * cen);
        return smaller >= across * across;
    }

    // The depth at the centre, kept within the soundings' own range.
    double centre(double radius) const {
        const double e = e_ / w_, n = n_ / w_, z = z_ / w_;
        const double damping = kSlopeDamping * radius * radius;
        const double cee = ee_ / w_ - e * e + damping, cnn = nn_ / w_ - n * n + damping, cen = en_ / w_ - e * n;
        const double cez = ez_ / w_ - e * z, cnz = nz_ / w_ - n * z;
        const double det = cee * cnn - cen * cen;
        const double slopeE = (cnn * cez - cen * cnz) / det, slopeN = (cee * cnz - cen * cez) / det;
        return std::clamp(z - slopeE * e - slopeN * n, lowest_, highest_);
    }

private:
    double w_ = 0, e_ = 0, n_ = 0, z_ = 0, ee_ = 0, en_ = 0, nn_ = 0, ez_ = 0, nz_ = 0;
    double lowest_ = std::numeric_limits<double>::infinity();
    double highest_ = -std::numeric_limits<double>::infinity();
};

GridGeometry GeometryOver(const std::vector<Sounding>& soundings, double cellM) {
    double west = soundings.front().east, east = west, south = soundings.front().north, north = south;
    for (const Sounding& s : soundings) {
        west = std::min(west, s.east);
        east = std::max(east, s.east);
        south = std::min(south, s.north);
        north = std::max(north, s.north);
    }
    const double firstColumn = std::floor(west / cellM), lastColumn = std::floor(east / cellM);
    const double firstRow = std::floor(north / cellM), lastRow = std::floor(south / cellM);
    GridGeometry g;
    g.cell = cellM;
    g.west = firstColumn * cellM;
    g.north = (firstRow + 1) * cellM;
    g.columns = static_cast<int>(lastColumn - firstColumn) + 1;
    g.rows = static_cast<int>(firstRow - lastRow) + 1;
    return g;
}

} // namespace

DepthGrid GridSoundings(const std::vector<Sounding>& soundings, double cellM, double reachM) {
    DepthGrid grid;
    if (soundings.empty() || cellM <= 0) return grid;
    grid.geometry = GeometryOver(soundings, cellM);
    const GridGeometry& g = grid.geometry;
    grid.depth.assign(static_cast<std::size_t>(g.columns) * g.rows, std::numeric_limits<float>::quiet_NaN());
    const Bins bins(soundings, g, std::max(cellM, reachM / 4));
    // Between survey lines the soundings of the lines on both sides are wanted, up to twice the
    // reach away.
    const double widest = 2 * reachM;
    for (int row = 0; row < g.rows; ++row)
        for (int column = 0; column < g.columns; ++column) {
            const double e = g.centreEast(column), n = g.centreNorth(row);
            for (double radius = std::min(cellM, widest);; radius = std::min(radius * 2, widest)) {
                std::size_t found = 0;
                double nearest2 = INFINITY;
                PlaneFit fit;
                bins.near(e, n, radius, [&](const Sounding& s, double de, double dn) {
                    const double d2 = de * de + dn * dn;
                    const double q = 1 - d2 / (radius * radius);
                    fit.add(de, dn, s.depth, q * q + 1e-6);
                    nearest2 = std::min(nearest2, d2);
                    ++found;
                });
                if (nearest2 > reachM * reachM) {
                    if (radius >= reachM) break; // nothing within the reach: the cell stays empty
                    continue;
                }
                // Enough soundings, and either a sounding within the cell's size or soundings all
                // round, so that the fit does not reach across from a single line.
                const bool enough = found >= kEnoughSoundings &&
                                    (nearest2 <= cellM * cellM || fit.spreadsBothWays(kSpreadAcross * radius));
                if (enough || radius >= widest) {
                    grid.depth[static_cast<std::size_t>(row) * g.columns + column] =
                        static_cast<float>(fit.centre(radius));
                    break;
                }
            }
        }
    return grid;
}

} // namespace vz
