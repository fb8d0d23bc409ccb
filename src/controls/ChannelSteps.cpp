#include "controls/ChannelSteps.h"

#include "core/State.h"
#include "core/Ui.h"

#include <cstdint>

namespace vz {

namespace {

void Step(Channel channel, std::int16_t& index, int direction, int first, int last) {
    State& s = state();
    if (direction > 0) {
        if (++index > last) index = static_cast<std::int16_t>(last);
    } else {
        if (--index < first) index = static_cast<std::int16_t>(first);
    }
    ui().showChannelSettings(channel);
    s.SettingsChanged = 1;
    s.SendSettings = 1;
}

} // namespace

void StepDepthRange(Channel channel, int direction) {
    Step(channel, state().channel(channel).DepthRange, direction, kDepthRangeFirst,
         kDepthRangeLast);
}

void StepDepthOffset(Channel channel, int direction) {
    Step(channel, state().channel(channel).DepthOffset, direction, kDepthOffsetFirst,
         kDepthOffsetLast);
}

} // namespace vz
