#include "logging/EchogramExport.h"

#include "core/State.h"
#include "display/ColorScales.h"
#include "display/EchoColumn.h"
#include "logging/TrackExport.h"

namespace vz {

void PrepareEchogramExport() {
    PrepareTrackExport();
    state().ShowWhiteLine = 1;
    SetupColorBar();
}

std::function<void()> EchogramColumnTaker(EchogramPages& pages) {
    return [&pages] {
        DrawEchoColumn();
        pages.takeColumn(state().TimeText);
    };
}

} // namespace vz
