#include "display/ChannelView.h"

#include "core/State.h"
#include "display/Surfaces.h"

namespace vz {

namespace {
int TableEntry(const std::int16_t (&table)[4][21], int units, int index) {
    if (units < 0 || units > 3 || index < 0 || index > 20) return 0;
    return table[units][index];
}
} // namespace

Channel CurrentChannel() {
    const State& s = state();
    if (s.SplitScreen == 0) return Channel::Full;
    return s.LeftSideNow ? Channel::Left : Channel::Right;
}

ChannelView ViewOf(Channel channel) {
    State& s = state();
    const ChannelSettings& c = s.channel(channel);
    const int w = PictVisible().width();
    return ChannelView{channel,
                       channel == Channel::Left ? w / 2 : w,
                       c.Ascope != 0 ? 1 : 0,
                       TableEntry(s.DepthRangeTable, s.DepthUnits, c.DepthRange),
                       TableEntry(s.DepthOffsetTable, s.DepthUnits, c.DepthOffset),
                       c.DepthOffset,
                       c.Frequency};
}

} // namespace vz
