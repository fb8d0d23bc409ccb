#include "processing/HistoryEchoes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vz {

namespace {

constexpr int kLevelSamples = 4; // an echo's level: its strongest run of this many samples
constexpr double kSourceLevelShare = 0.8;
constexpr double kDepthTolerance = 0.05;
constexpr double kGridTolerance = 3.0; // samples
constexpr int kMostSteps = 4;          // a fourth echo at most leads back to the first
constexpr double kQuietBandEndFt = 1.0; // quiet water that ends the surface band

struct HistoryEcho {
    int edge = 0;     // last quiet entry above the echo
    double level = 0; // strongest run of kLevelSamples entries, above the mean
    int length = 0;   // entries at or above half that level
};

// The echo rising after `edge`: it lasts while the history stays at or above the mean, up to
// entry `limit`.
HistoryEcho EchoAfter(const State& s, int edge, double mean, int limit) {
    HistoryEcho e;
    e.edge = edge;
    int end = edge + 1;
    while (end + 1 <= limit && s.EchoHistory[end + 1] >= mean)
        ++end;
    double strongest = 0;
    for (int i = edge + 1; i <= end; ++i) {
        const int runEnd = std::min(i + kLevelSamples - 1, end);
        double sum = 0;
        for (int k = i; k <= runEnd; ++k)
            sum += s.EchoHistory[k];
        strongest = std::max(strongest, sum / (runEnd - i + 1));
    }
    e.level = strongest - mean;
    const double half = mean + e.level / 2.0;
    for (int i = edge + 1; i <= end; ++i)
        if (s.EchoHistory[i] >= half) ++e.length;
    return e;
}

// Sample times of entries, and the entries of times, as the depth conversion counts them.
double TimeOf(const State& s, double entry) {
    return entry * s.SampleInterval + s.SampleDelay;
}
double EntryAt(const State& s, double time) {
    return (time - s.SampleDelay) / s.SampleInterval;
}

// The shallowest echo rising near `share` of the depth of `repeat` that is strong and long enough
// to be the echo `repeat` repeats, or one repeat of it on the way.
bool FindEchoAt(const State& s, const HistoryEcho& repeat, double share, double mean,
                const BottomCandidates& where, HistoryEcho& found) {
    const double time = TimeOf(s, repeat.edge) * share;
    const double tolerance = kDepthTolerance * time + kGridTolerance * s.SampleInterval;
    const int first = std::max({kEdgeWalkTop, where.first - 1,
                                static_cast<int>(std::ceil(EntryAt(s, time - tolerance)))});
    const int lastEdge =
        std::min(repeat.edge - 2, static_cast<int>(std::floor(EntryAt(s, time + tolerance))));
    for (int e = first; e <= lastEdge; ++e) {
        if (!(s.EchoHistory[e] < mean && s.EchoHistory[e + 1] >= mean)) continue;
        const HistoryEcho candidate = EchoAfter(s, e, mean, repeat.edge - 1);
        if (candidate.level + mean >= where.strong &&
            candidate.level >= kSourceLevelShare * repeat.level &&
            candidate.length >= share * repeat.length) {
            found = candidate;
            return true;
        }
    }
    return false;
}

// The echo that `repeat` repeats: at half its depth, or at a third of it with the second echo
// at two thirds between them.
bool FindSource(const State& s, const HistoryEcho& repeat, double mean,
                const BottomCandidates& where, HistoryEcho& source) {
    if (FindEchoAt(s, repeat, 1.0 / 2.0, mean, where, source)) return true;
    HistoryEcho second;
    return FindEchoAt(s, repeat, 2.0 / 3.0, mean, where, second) &&
           FindEchoAt(s, repeat, 1.0 / 3.0, mean, where, source);
}

// A history cleared to 0 reaches 1 - (K / (K + 1))^n of an echo's level after n replies.
double HistoryFill(const State& s) {
    const int k = std::clamp<int>(s.DepthDamping, 1, 10);
    const int n = std::clamp<int>(s.EchoHistoryPings, 1, 200);
    return 1.0 - std::pow(static_cast<double>(k) / (k + 1), n);
}

} // namespace

BottomCandidates FindBottomCandidates(const State& s, int last) {
    // The median by a count of every history level: no storage per reply.
    std::array<int, 256> count{};
    for (int i = 2; i <= last; ++i)
        ++count[s.EchoHistory[i]];
    const int half = (last - 1) / 2;
    int median = 0;
    for (int seen = 0; median < 255 && seen + count[median] <= half; ++median)
        seen += count[median];
    BottomCandidates c;
    c.water = median;
    c.strong = median + kBottomStandOut * HistoryFill(s);
    // The band ends where the water first stays quiet for a foot: the clutter's speckle leaves
    // single quiet entries inside it.
    const double feetPerSample = static_cast<double>(s.SampleInterval) * s.SoundSpeed;
    const int quietRun =
        feetPerSample > 0.0
            ? std::max(2, static_cast<int>(std::ceil(kQuietBandEndFt / feetPerSample - 1e-9)))
            : 8;
    int quiet = 0;
    c.first = last + 1;
    for (int i = 2; i <= last; ++i) {
        quiet = s.EchoHistory[i] < c.strong ? quiet + 1 : 0;
        if (quiet == quietRun) {
            c.first = i - quietRun + 1;
            break;
        }
    }
    return c;
}

int LeadingEdge(const State& s, int start, double mean) {
    if (start < kEdgeWalkTop) return start;
    for (int i = start; i >= kEdgeWalkTop; --i)
        if (s.EchoHistory[i] < mean) return i;
    return kEdgeWalkTop - 1;
}

int EdgeOfRepeatedEcho(const State& s, int edge, double mean, int last,
                       const BottomCandidates& where) {
    if (!(s.SampleInterval > 0.0f) || edge < kEdgeWalkTop || s.EchoHistory[edge] >= mean)
        return edge;
    HistoryEcho chosen = EchoAfter(s, edge, mean, last);
    for (int step = 0; step < kMostSteps && chosen.level > 0; ++step) {
        HistoryEcho source;
        if (!FindSource(s, chosen, mean, where, source)) break;
        chosen = source;
    }
    return chosen.edge;
}

} // namespace vz
