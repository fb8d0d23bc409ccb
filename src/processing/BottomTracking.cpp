#include "processing/BottomTracking.h"

#include "core/State.h"

#include <algorithm>

namespace vz {

void ApplyClutterFilter() {
    State& s = state();
    const int level = s.ClutterFilter;
    const int threshold = 255 - 25 * level;
    const int longestQuietRun = 2 * level + 4;
    const int lastSample =
        std::min<int>(s.PacketLength, kRxBufferLast) - 10 - std::max<int>(0, s.TrailerExtraBytes);
    int run = 0;
    for (int i = 2; i <= lastSample; ++i) {
        if (s.RxBuffer[i] < threshold) {
            if (++run > longestQuietRun) return;
        } else {
            run = 0;
            s.RxBuffer[i] = 0;
        }
    }
}

void TrackBottom() {}

void ClearHistoryBuffer(int count) {
    State& s = state();
    const int last = std::min(count, kRxBufferLast);
    if (last >= 1) std::fill(s.EchoHistory.begin() + 1, s.EchoHistory.begin() + last + 1, 0);
}

} // namespace vz
