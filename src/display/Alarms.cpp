#include "display/Alarms.h"

#include "core/DepthUnits.h"
#include "core/State.h"
#include "display/Surfaces.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <cmath>

namespace vz {

namespace {

// A neighbourhood sum of 12 weights; 168 = 12 x 15 - 12 is its largest value less the weights.
constexpr double kLargestExcess = 168.0;
constexpr double kWeightTotal = 12.0;
constexpr int kQuietSum = 15;
constexpr int kQuietSearchFirstRow = 10;
constexpr double kNoBottomFeet = 1e9;

enum AlarmCodes { kNoAlarm = 0, kShallow = 1, kDeep = 2, kAnchorDrag = 3, kFish = 4 };

int TableEntry(const std::int16_t (&table)[4][21], int units, int index) {
    if (units < 0 || units > 3 || index < 0 || index > 20) return 0;
    return table[units][index];
}

// The channel's level history seen as pixel rows: S(r) sums rows r - 1, r and r + 1 of the last
// three columns with the weights 1, 2, 1.
class Neighbourhood {
  public:
    explicit Neighbourhood(const LevelHistory& h) : h_(h) {}
    // Pixel rows 0 .. H keep every read inside the stored history.
    int sum(int r) const {
        int total = 0;
        for (int c = 1; c <= 3; ++c)
            total += h_[c][r] + 2 * h_[c][r + 1] + h_[c][r + 2];
        return total;
    }

  private:
    const LevelHistory& h_;
};

int FirstQuietRow(const Neighbourhood& n, int height) {
    for (int r = kQuietSearchFirstRow; r <= height; ++r)
        if (n.sum(r) < kQuietSum) return r;
    return 1;
}

} // namespace

bool FishInZone(Channel channel, double bottomFeet) {
    State& s = state();
    const ChannelSettings& c = s.channel(channel);
    const double feetPerUnit = FeetPerDepthUnit(s.DepthUnits);
    const double top = TableEntry(s.DepthOffsetTable, s.DepthUnits, c.DepthOffset) * feetPerUnit;
    const double span = TableEntry(s.DepthRangeTable, s.DepthUnits, c.DepthRange) * feetPerUnit;
    const int height = PictVisible().height();
    if (span <= 0.0 || height <= 0) return false;
    const int lastRow = std::min(height, kLevelHistoryRows - 3);
    const auto row = [&](double depth) {
        return std::nearbyint(std::clamp((depth - top) / span * height, -1e6, 1e6));
    };
    const Neighbourhood n(s.levelHistory(channel));
    const double shallow = s.FishAlarmShallow;
    const double deep = s.FishAlarmDeep;

    double startRow = 1.0;
    double endRow = height;
    switch (s.FishAlarmSearch) {
    case 1:
        if (top + span <= shallow || deep <= top) return false; // the zone lies outside the window
        startRow = shallow < top ? 1.0 : row(shallow);
        endRow = top + span < deep ? height : row(deep);
        break;
    case 2:
        startRow = FirstQuietRow(n, lastRow);
        endRow = top + span < deep ? height : row(deep);
        break;
    case 3:
        startRow = shallow < top ? 1.0 : row(shallow);
        endRow = row(0.9 * bottomFeet);
        break;
    case 4:
        startRow = FirstQuietRow(n, lastRow);
        endRow = row(0.9 * bottomFeet);
        break;
    default:
        return false;
    }
    // Clipped to the window: a bottom below it or a zone limit above it searches what is shown.
    const int first = static_cast<int>(std::max(startRow, 0.0));
    const int last = static_cast<int>(std::min(endRow, static_cast<double>(lastRow)));
    int peak = 0;
    for (int r = first; r <= last; ++r)
        peak = std::max(peak, n.sum(r));
    return s.FishAlarmThreshold * kLargestExcess / 11.0 < peak - kWeightTotal;
}

void EvaluateAlarms() {
    State& s = state();
    const float depthFeet =
        s.DepthUnits == 0 ? s.DisplayDepth : s.DisplayDepth * FeetPerDepthUnit(s.DepthUnits);
    s.AlarmCode = kNoAlarm;
    // Without a bottom there is no depth to compare: the depth alarms stay quiet.
    const bool depth = s.BottomFound;
    if (depth && s.ShallowAlarmOn != 0 && depthFeet < s.ShallowAlarmValue) s.AlarmCode = kShallow;
    if (depth && s.DeepAlarmOn != 0 && depthFeet > s.DeepAlarmValue) s.AlarmCode = kDeep;
    if (depth && s.DragAlarmOn != 0 &&
        (depthFeet < s.DragAlarmShallow || depthFeet > s.DragAlarmDeep))
        s.AlarmCode = kAnchorDrag;
    if (s.FishAlarmOn != 0) {
        // The zone ends above the bottom below the transducer, where the searched rows are
        // measured from; a bottom not found lies below the window, which is then searched whole.
        const double bottomFeet = depth ? depthFeet - s.KeelOffset : kNoBottomFeet;
        const bool fish = s.SplitScreen == 0 ? FishInZone(Channel::Full, bottomFeet)
                                             : FishInZone(Channel::Right, bottomFeet) ||
                                                   FishInZone(Channel::Left, bottomFeet);
        if (fish) s.AlarmCode = kFish;
    }
}

void ShowAlarm() {
    State& s = state();
    if (s.AlarmCode == kNoAlarm) return;
    if (s.SoundOn == 1) dialogs().beep();
    Surface& b = pictHiddenB();
    b.setFontSize(14);
    b.CurrentX = 20;
    b.CurrentY = 480;
    s.AlarmBlink = !s.AlarmBlink;
    if (!s.AlarmBlink) {
        b.print("                       ");
        return;
    }
    switch (s.AlarmCode) {
    case kShallow:
        b.print("WARNING - Shallow Alarm");
        break;
    case kDeep:
        b.print("WARNING - Deep Alarm");
        break;
    case kAnchorDrag:
        b.print("WARNING - Anchor Drag Alarm");
        break;
    default:
        b.print("WARNING - Fish Alarm");
        break;
    }
}

} // namespace vz
