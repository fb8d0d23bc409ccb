#include "processing/BottomTracking.h"

#include "platform/Clock.h"

#include "core/DepthUnits.h"
#include "core/State.h"
#include "processing/AutoRange.h"
#include "processing/HistoryEchoes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vz {

namespace {

// Whole-column detection.
constexpr int kFewestSamples = 21; // fewer leave no room for the window search and edge walk
constexpr int kEchoWindow = 10;    // samples summed per candidate bottom echo
constexpr int kDampingFirst = 1;
constexpr int kDampingLast = 10;
constexpr int kFullHistoryPings = 1000; // the fill of the history is counted up to this
constexpr double kBottomEchoFt = 2.0;   // the shortest bottom echo: longer than any fish's

// Range-gate tracking. The gate's size and centre use two slightly different feet per unit of
// sample time; both are kept as they are, since the gate's place depends on them.
constexpr double kGateFeetPerTime = 0.0024735;
constexpr double kCentreFeetPerTime = 0.0024725;
constexpr int kGateFirstSample = 5;
constexpr int kEdgeSamples = 4;
constexpr double kStandOut = 1.6;    // the gate's strongest echo, against the gate's mean level
constexpr double kBottomShare = 0.8; // of the strongest echo, for a shallower one to be the bottom
constexpr float kNarrowestGate = 5.0f;
// A gate that keeps finding nothing grows by a fifth per ping; beyond this (deeper than the
// deepest window) growing further only risks overflow.
constexpr float kWidestGate = 10000.0f;

// Nearest integer, halves to even; beyond any index the value is held at +-1e9.
long long Nearest(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<long long>(std::nearbyint(std::clamp(v, -1e9, 1e9)));
}

struct ReplyExtent {
    int E; // extra trailer bytes
    int L; // reply length, within RxBuffer
};

ReplyExtent Extent(const State& s) {
    return {std::max<int>(0, s.TrailerExtraBytes), std::min<int>(s.PacketLength, kRxBufferLast)};
}

// Folds this reply into EchoHistory and WeightedEcho (entries 2..last); returns the history sum.
long long AverageIntoHistory(State& s, int last) {
    const int k = std::clamp<int>(s.DepthDamping, kDampingFirst, kDampingLast);
    long long sum = 0;
    for (int i = 2; i <= last; ++i) {
        const auto h = static_cast<std::uint8_t>(
            Nearest((s.EchoHistory[i] * static_cast<double>(k) + s.RxBuffer[i]) / (k + 1)));
        s.EchoHistory[i] = h;
        s.WeightedEcho[i] = static_cast<std::int32_t>(Nearest(h * (1.0 + 0.5 * i)));
        sum += h;
    }
    s.EchoHistoryPings = std::min(s.EchoHistoryPings + 1, kFullHistoryPings);
    return sum;
}

// Entries in a run as long as kBottomEchoFt, at least two.
int ShortestBottomRun(const State& s) {
    const double feetPerSample = static_cast<double>(s.SampleInterval) * s.SoundSpeed;
    if (!(feetPerSample > 0.0)) return 2;
    return std::max(2, static_cast<int>(std::ceil(kBottomEchoFt / feetPerSample - 1e-9)));
}

// Start of the first ten-sample stretch with the largest depth-weighted history of the entries
// that may be the bottom: runs of them at least kBottomEchoFt long (0 when there are none).
// Only those weigh: the weighting that favours a deep bottom over the surface would otherwise
// let a long stretch of deep noise outweigh a shallow bottom. A fish's echo is as short as the
// transmit pulse; a bottom's lasts the pulse, the spread of the beam's footprint and its ringing
// on, a few feet even at 5 ft.
int StrongestStretch(const State& s, int lastStart, const BottomCandidates& where) {
    const int lastEntry = lastStart + kEchoWindow - 1;
    const int shortest = ShortestBottomRun(s);
    long long best = 0;
    int bestStart = 0;
    for (int i = where.first; i <= lastEntry;) {
        if (s.EchoHistory[i] < where.strong) {
            ++i;
            continue;
        }
        const int runFirst = i;
        while (i <= lastEntry && s.EchoHistory[i] >= where.strong)
            ++i;
        const int runLast = i - 1;
        if (runLast - runFirst + 1 < shortest) continue;
        for (int start = std::max(2, runFirst - kEchoWindow + 1);
             start <= std::min(runLast, lastStart); ++start) {
            long long sum = 0;
            for (int k = std::max(start, runFirst); k <= std::min(start + kEchoWindow - 1, runLast);
                 ++k)
                sum += s.WeightedEcho[k];
            if (sum > best) {
                best = sum;
                bestStart = start;
            }
        }
    }
    return bestStart;
}

// The read-out's depth: the bottom below the transducer plus the keel offset, in display units.
void ShowBottomDepth(State& s, double bottomFeet) {
    const double feetPerUnit = FeetPerDepthUnit(s.DepthUnits);
    s.DisplayDepth = static_cast<float>((bottomFeet + s.KeelOffset) / feetPerUnit);
    s.BottomFound = true;
    s.BottomDepthSeconds = clock().monotonicSeconds();
}

void SetDepths(State& s, int bottomIndex) {
    const double time = bottomIndex * static_cast<double>(s.SampleInterval) + s.SampleDelay;
    const double feetPerUnit = FeetPerDepthUnit(s.DepthUnits);
    s.BottomDepth = static_cast<float>(time * (s.SoundSpeed / feetPerUnit));
    s.RangeGateDepth = s.BottomDepth;
    ShowBottomDepth(s, s.BottomDepth * feetPerUnit);
}

int GateSample(const State& s, long long index) {
    return s.RxBuffer[static_cast<std::size_t>(index)];
}

// Where the bottom's echo begins among the gate's sums of kEdgeSamples samples: the first of the
// run of sums above `threshold` that holds the shallowest echo nearly as strong as the gate's
// strongest (a repeat of the bottom echo may be as strong as the bottom, never clearly
// stronger). Taking the first sum above the threshold anywhere in the gate would take any fish
// or layer above the bottom and, in a gate of only water, the noise at its top, so that the gate
// climbed a little further every ping, up to the surface. A gate whose strongest echo does not
// stand out from the mean sum `meanSum` holds no bottom: -1.
long long GateEdge(const std::vector<long long>& sums, long long threshold, double meanSum) {
    const auto strongest = std::max_element(sums.begin(), sums.end());
    if (strongest == sums.end() || *strongest <= threshold ||
        static_cast<double>(*strongest) < kStandOut * meanSum)
        return -1;
    for (std::size_t first = 0; first < sums.size(); ++first) {
        if (sums[first] <= threshold) continue;
        std::size_t end = first;
        long long peak = 0;
        for (; end < sums.size() && sums[end] > threshold; ++end)
            peak = std::max(peak, sums[end]);
        if (static_cast<double>(peak) >= kBottomShare * static_cast<double>(*strongest))
            return static_cast<long long>(first);
        first = end;
    }
    return -1;
}

} // namespace

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

void TrackBottom() {
    const Channel driving = DrivingChannel();
    if (driving == Channel::Full || state().LeftSideNow == (driving == Channel::Left))
        DetectBottom();
}

void DetectBottom() {
    if (state().ShowRangeGate == 1)
        TrackBottomInGate();
    else
        DetectBottomAndAutoRange();
}

void DetectBottomAndAutoRange() {
    State& s = state();
    const auto [E, L] = Extent(s);
    // Samples are entries 2 .. L - 10 - E; the last one is left out of the average.
    const int last = L - 11 - E;
    if (last < kFewestSamples) return;

    const long long sum = AverageIntoHistory(s, last);
    const double mean = static_cast<double>(sum) / (L - 12 - E);
    const BottomCandidates where = FindBottomCandidates(s, last);
    const int start = StrongestStretch(s, L - 20 - E, where);
    if (start == 0) {
        // No bottom in this column: nothing is shown, sent or alarmed on, and Auto looks deeper.
        s.BottomFound = false;
        HuntForBottom();
        return;
    }
    int edge = EdgeOfRepeatedEcho(s, LeadingEdge(s, start, mean), mean, last, where);
    // In a wide window the mean is hardly above the water, and the walk up to it wanders through
    // the water's noise above the echo: the edge is where the echo rises from halfway to a
    // bottom's level.
    const double edgeLevel = std::max(mean, (where.water + where.strong) / 2.0);
    if (edge >= kEdgeWalkTop)
        while (edge + 1 <= last && s.EchoHistory[edge + 1] < edgeLevel)
            ++edge;
    SetDepths(s, edge);
    AutoRangeAndOffset(s.BottomDepth);
}

void TrackBottomInGate() {
    State& s = state();
    const auto [E, L] = Extent(s);
    const int lastSample = L - 10 - E;
    const double interval = s.SampleInterval;
    const long long wholeInterval = Nearest(interval);
    if (!(interval > 0.0) || wholeInterval <= 0) return; // no timing to place a gate with

    // The gate's arithmetic is in feet; the depths it shares with the rest of the program are
    // in display units, so they are converted here, on the way in and on the way out.
    const auto feetPerUnit = static_cast<float>(FeetPerDepthUnit(s.DepthUnits));
    float bottom = s.BottomDepth * feetPerUnit;
    float gateDepth = s.RangeGateDepth * feetPerUnit;
    float width = s.RangeGateWidth * feetPerUnit;

    const long long gateSamples = Nearest(width / (interval * kGateFeetPerTime));
    const double centre = bottom / kCentreFeetPerTime;
    double start =
        static_cast<double>(Nearest(centre) - s.SampleDelay) / static_cast<double>(wholeInterval) -
        static_cast<double>(gateSamples) / 2.0;
    if (start < kGateFirstSample) start = kGateFirstSample;
    const long long end = Nearest(start + static_cast<double>(gateSamples));
    s.GateStart = start;
    s.GateEnd = static_cast<std::int32_t>(end);

    // Indexes step by one from the gate's (possibly fractional) start; samples beyond the reply
    // are not read.
    long long total = 0;
    for (double i = start; i <= static_cast<double>(end) && Nearest(i) <= lastSample; i += 1.0)
        total += GateSample(s, Nearest(i));
    const double span = static_cast<double>(end) - start;
    long long bottomIndex = -1;
    if (span > 0.0) {
        const long long threshold = Nearest(static_cast<double>(total) * 3.0 / span);
        // Sums of kEdgeSamples samples from each index of the gate that the reply covers.
        std::vector<long long> sums;
        for (double i = start; i <= static_cast<double>(end); i += 1.0) {
            const long long index = Nearest(i);
            if (index + kEdgeSamples - 1 > lastSample) break;
            long long sum = 0;
            for (int k = 0; k < kEdgeSamples; ++k)
                sum += GateSample(s, index + k);
            sums.push_back(sum);
        }
        const long long edge =
            GateEdge(sums, threshold, kEdgeSamples * static_cast<double>(total) / span);
        if (edge >= 0) bottomIndex = Nearest(start + static_cast<double>(edge));
    }

    if (bottomIndex < 0) {
        s.RangeGateWidth = std::min(width * 1.2f, kWidestGate) / feetPerUnit;
        s.RangeGateDepth = s.BottomDepth;
        return;
    }
    const auto measured =
        static_cast<float>((bottomIndex * interval + s.SampleDelay) * s.SoundSpeed);
    bottom = measured;
    if (std::abs(bottom - gateDepth) > 0.1f * width) {
        // A jump: lead the gate further in its direction and remember the measured depth.
        bottom = bottom + 0.6f * (bottom - gateDepth);
        gateDepth = measured;
    }
    const double middle = start + span / 2.0;
    width = static_cast<float>(2.0 * std::abs(static_cast<double>(bottomIndex) - middle) +
                               0.06 * bottom);
    width = std::max(std::min(width, 0.3f * bottom), kNarrowestGate);

    s.BottomDepth = bottom / feetPerUnit;
    s.RangeGateDepth = gateDepth / feetPerUnit;
    s.RangeGateWidth = width / feetPerUnit;
    // The read-out, the alarms, the log and NMEA follow the depth the gate measured (its lead
    // only moves the gate).
    ShowBottomDepth(s, measured);
}

void ClearHistoryBuffer(int count) {
    State& s = state();
    const int last = std::min(count, kRxBufferLast);
    if (last >= 1) std::fill(s.EchoHistory.begin() + 1, s.EchoHistory.begin() + last + 1, 0);
    s.EchoHistoryPings = 0;
}

} // namespace vz
