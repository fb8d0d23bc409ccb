// A reply as the box (or a recording) hands it over, through what the acquisition tick does with
// it: decoding, the clutter filter, the echo column and bottom tracking. Two leading bytes choose
// the firmware's extra trailer bytes, the screen, the side, the processing type, the clutter
// level and the depth range; the rest is the reply from RxBuffer entry 1.
#include "FuzzState.h"

#include "core/State.h"
#include "display/EchoColumn.h"
#include "processing/BottomTracking.h"
#include "processing/DecodePing.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vz;
    fuzz::ResetFuzzState();
    if (size < 2) return 0;
    State& s = state();
    const std::uint8_t how = data[0], range = data[1];
    s.TrailerExtraBytes = static_cast<std::int16_t>(how & 3);
    s.SplitScreen = (how >> 2) & 1;
    s.LeftSideNow = ((how >> 3) & 1) != 0;
    s.ClutterFilter = static_cast<std::int16_t>((how >> 4) & 7);
    s.PlaybackMode = (how >> 7) != 0;
    for (Channel c : kChannels) {
        s.channel(c).ProcessingType = static_cast<std::int16_t>(range & 3);
        s.channel(c).DepthRange = static_cast<std::int16_t>(1 + (range >> 2) % 11);
    }
    const std::size_t n = std::min<std::size_t>(size - 2, kRxBufferLast);
    std::copy_n(data + 2, n, s.RxBuffer.begin() + 1);
    s.PacketLength = static_cast<std::int32_t>(n);
    std::uint8_t packetError = 0;
    DecodePing(packetError);
    if (packetError != 0) return 0;
    if (s.ClutterFilter > 0) ApplyClutterFilter();
    DrawEchoColumn();
    TrackBottom();
    return 0;
}
