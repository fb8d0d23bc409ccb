#include "GateClick.h"

#include "core/DepthUnits.h"
#include "core/State.h"
#include "display/ChannelView.h"
#include "display/Pointer.h"
#include "display/Surfaces.h"
#include "processing/AutoRange.h"

#include <cmath>

namespace trackacc {

using namespace vz;

namespace {
// Half the A-scope strip's width: the middle of the strip at the channel's right edge.
constexpr int kIntoAscope = 45;
} // namespace

bool ClickGateAt(double bottomFt, int depthUnits) {
    const ChannelView view = ViewOf(DrivingChannel());
    if (view.rangeDepth <= 0) return false;
    const int x = view.rightEdge - kIntoAscope;
    const double depth = bottomFt / FeetPerDepthUnit(depthUnits);
    const int y = static_cast<int>(
        std::lround((depth - view.offsetDepth) / view.rangeDepth * PictVisible().height()));
    PictVisible_MouseDown(kPointerRight, x, y);
    return true;
}

} // namespace trackacc
