#pragma once
// A depth map as a picture: the cells coloured by depth from shallow (light) to deep (dark), the
// contour lines over them, a colour legend in the map's units, a scale bar in metres and the
// north arrow. Empty cells stay white.
#include "mapping/Contours.h"
#include "mapping/DepthGrid.h"

#include <QImage>
#include <QString>

#include <vector>

namespace vz {

QImage DrawDepthMap(const DepthGrid& grid, const std::vector<ContourLine>& contours, const QString& units,
                    const QString& title);

} // namespace vz
