#include "processing/AutoRange.h"

#include "controls/ChannelSteps.h"
#include "core/Startup.h"
#include "core/State.h"
#include "display/ChannelView.h"
#include "display/Scrolling.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace vz {

namespace {

// The upper trigger, as a share of the window: the Split halves are narrower on screen.
constexpr double kFullUpperShare = 0.85;
constexpr double kSplitUpperShare = 0.8;
constexpr double kLowerShare = 0.15;

int TableEntry(const std::int16_t (&table)[4][21], int index) {
    const int units = state().DepthUnits;
    if (units < 0 || units > 3 || index < 0 || index > 20) return 0;
    return table[units][index];
}
int R(int index) {
    return TableEntry(state().DepthRangeTable, index);
}
int O(int index) {
    return TableEntry(state().DepthOffsetTable, index);
}

enum class Field { Range, Offset };

// Steps one field of every channel in `channels`, in that order, with the panel's own step, and
// leaves each channel's new scale on the echogram when asked to. A step that the panel's bound
// would turn into no change is not made: it would still raise SendSettings, and the reply after
// it would be thrown away on every ping for as long as the bottom stays beyond the table's end.
class Stepper {
  public:
    explicit Stepper(std::vector<Channel> channels) : channels_(std::move(channels)) {}

    void step(Field field, int direction) {
        for (Channel c : channels_) {
            const ChannelSettings& ch = state().channel(c);
            const int index = field == Field::Range ? ch.DepthRange : ch.DepthOffset;
            const int bound = direction > 0
                                  ? (field == Field::Range ? kDepthRangeLast : kDepthOffsetLast)
                                  : (field == Field::Range ? kDepthRangeFirst : kDepthOffsetFirst);
            if (index == bound) continue;
            if (field == Field::Range)
                StepDepthRange(c, direction);
            else
                StepDepthOffset(c, direction);
            if (state().LeaveScales == 1) {
                const ChannelView v = ViewOf(c);
                DrawDepthScaleOnEchogram(v.rightEdge - 20 - 50 * v.ascope, v.rangeDepth,
                                         v.offsetDepth);
            }
            stepped_ = true;
        }
    }
    bool stepped() const { return stepped_; }

  private:
    std::vector<Channel> channels_;
    bool stepped_ = false;
};

// The window of `lead` decides; every channel of `stepper` steps with it. All comparisons are
// strict: a bottom exactly at a trigger stays where it is.
void FollowBottom(double depth, const ChannelSettings& lead, double upperShare, bool rangeOnly,
                  Stepper& stepper) {
    if (rangeOnly) {
        if (upperShare * R(lead.DepthRange) < depth) stepper.step(Field::Range, +1);
        if (kLowerShare * R(lead.DepthRange) > depth) stepper.step(Field::Range, -1);
        return;
    }
    if (upperShare * (O(lead.DepthOffset) + R(lead.DepthRange)) < depth) {
        // Once the next offset is as deep as the range is wide, widen the window instead.
        if (O(lead.DepthOffset + 1) >= R(lead.DepthRange))
            stepper.step(Field::Range, +1);
        else
            stepper.step(Field::Offset, +1);
    }
    if (kLowerShare * R(lead.DepthRange) + O(lead.DepthOffset) > depth) {
        if (lead.DepthOffset > 1)
            stepper.step(Field::Offset, -1);
        else
            stepper.step(Field::Range, -1);
    }
}

// The channels that Auto steps: Full, or Right then Left. With Auto Range Only their windows
// start at the surface.
Stepper AutoStepper() {
    State& s = state();
    const bool split = s.SplitScreen != 0;
    if (s.AutoRangeOnly == 1) {
        if (split) {
            s.Right.DepthOffset = 1;
            s.Left.DepthOffset = 1;
        } else {
            s.Full.DepthOffset = 1;
        }
    }
    return Stepper(split ? std::vector<Channel>{Channel::Right, Channel::Left}
                         : std::vector<Channel>{Channel::Full});
}

} // namespace

int WindowFoot(Channel channel) {
    const ChannelSettings& c = state().channel(channel);
    return O(c.DepthOffset) + R(c.DepthRange);
}

Channel DrivingChannel() {
    if (state().SplitScreen == 0) return Channel::Full;
    return WindowFoot(Channel::Left) >= WindowFoot(Channel::Right) ? Channel::Left : Channel::Right;
}

void AutoRangeAndOffset(float bottomDepth) {
    State& s = state();
    if (s.AutoMode == 0) return;
    const bool split = s.SplitScreen != 0;
    Stepper stepper = AutoStepper();
    const ChannelSettings& lead = split ? s.Right : s.Full;
    FollowBottom(bottomDepth, lead, split ? kSplitUpperShare : kFullUpperShare,
                 s.AutoRangeOnly == 1, stepper);
    if (stepper.stepped()) SetupAutoStart();
}

void HuntForBottom() {
    State& s = state();
    if (s.AutoMode == 0) return;
    Stepper stepper = AutoStepper();
    // The window's foot grows with each range step far faster than with the offset's.
    stepper.step(Field::Range, +1);
    if (s.AutoRangeOnly != 1) stepper.step(Field::Offset, +1);
    if (stepper.stepped()) SetupAutoStart();
}

} // namespace vz
