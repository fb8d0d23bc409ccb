#pragma once
// One measured session: the program's own reply decoding, clutter filter, bottom tracking and
// automatic range, fed ping by ping with ifbsim's replies to the program's own channel blocks,
// in the order the program's ping cycle and acquisition tick use them.
#include "core/Channel.h"

#include <string>
#include <vector>

namespace trackacc {

struct RunConfig {
    std::string scene = "shelving";
    int depthUnits = 0; // 0 feet, 1 metres, 2 fathoms
    bool split = false;
    bool autoMode = true;
    bool autoRangeOnly = true;
    int processingType = 0;
    int fullFrequency = 0; // 0 = 200 kHz, 1 = 50 kHz
    int clutterFilter = 0;
    int damping = 4;
    float keelOffsetFt = 0.0f;
    int windowIndex = 0; // > 0: every channel's range index, at the zero offset (Manual mode)
    int gateAfter = -1;  // >= 0: after this many pings a click on the true bottom sets the gate
    double pingDtS = 0.25;
    double durationS = 300;
    unsigned long seed = 1;
    std::vector<std::string> simulatorArgs; // passed on to ifbsim as they are
};

struct PingResult {
    long ping = 0;
    vz::Channel channel = vz::Channel::Full;
    bool discarded = false; // the reply after a settings change, thrown away unseen
    bool searched = false;  // the tracker looked for the bottom in this reply
    bool gate = false;      // ... with the range gate (ShowRangeGate) rather than the whole column
    bool found = false;     // a bottom is shown (and sent) after the reply: BottomFound
    double depthFt = 0;     // DisplayDepth less the keel offset, in feet, after the reply
    double windowTopFt = 0; // the channel window this reply was requested and drawn with
    double windowFootFt = 0;
};

// Runs `config` against the simulator at `ifbsim`, which writes its truth to `truthPath`. With a
// gate, the click follows the first searched reply from ping `gateAfter` on, at the true depth of
// that ping (the truth file's last line then).
bool RunTracking(const RunConfig& config, const std::string& ifbsim, const std::string& truthPath,
                 std::vector<PingResult>& results, std::string& error);

} // namespace trackacc
