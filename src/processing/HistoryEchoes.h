#pragma once
// The echoes of the damped per-sample history (EchoHistory): where one begins, and whether it is
// a repeat of the bottom echo. Indexes are RxBuffer entries; `mean` is the column's mean history.
#include "core/State.h"

namespace vz {

// Where the bottom may lie in this reply's history (entries 2..last): a bottom echo stands at
// least kBottomStandOut counts above the median history of the column, the level of the empty
// water (scaled down while the history is still filling after a clear, as every echo in it
// is). Receiver noise and its speckle, a thermocline and the weak repeats of the bottom stay
// well below that once damped (fish do not: the bottom tracker asks for a long echo); the ring-down and the surface clutter hanging from
// the surface reach it, so everything down to the first foot of entries below that level is the
// surface band and never the bottom.
constexpr double kBottomStandOut = 64.0;
struct BottomCandidates {
    int first = 0;       // first entry below the surface band
    double strong = 0.0; // least history of a bottom echo's entry
    double water = 0.0;  // the median history: the empty water
};
BottomCandidates FindBottomCandidates(const State& s, int last);

// The leading-edge walk stops here, under the transducer's ring-down.
constexpr int kEdgeWalkTop = 20;

// Walks up from `start` to the first entry whose history lies below the mean: the last quiet
// sample above the echo. Entries before 20 (the transducer's ring-down) are not walked into: a
// start before entry 20 is its own edge, an echo reaching up to entry 20 gives 19.
int LeadingEdge(const State& s, int start, double mean);

// A hard bottom sends its echo back again at two and three times its depth (the sound bounces
// between the bottom and the surface), and the depth weighting of the whole-column search favours
// those repeats. Given the leading edge of the echo the search chose, returns the leading edge of
// the echo it repeats, or `edge` itself when it is no repeat.
//
// An echo near 1/2 or 1/3 of the chosen echo's depth (within 5 % and 3 samples: the sample grid,
// SampleDelay and the smear of the damping) is taken as its source when it
//  - rises from quiet water (a sample below the mean just above it) and ends before the chosen
//    echo begins, so the ring-down and surface clutter hanging from the surface never qualify;
//  - is, unweighted, at least 0.8 times as strong above the mean as the chosen echo: a repeat
//    has travelled the same path more than once and lost more on each bounce, so it is weaker
//    than its source before gain; the margin allows for time-varying gain lifting the deeper
//    one. A school or a thermocline weaker than the bottom below it is therefore kept out;
//  - lasts, above half its level, at least 1/2 (1/3) as long as the chosen echo: a repeat is the
//    bottom's echo stretched by a wider footprint and by the smear of a moving bottom, never many
//    times as long, so a short school above a long bottom echo fails;
//  - at 1/3, has the second echo between them: an echo at 2/3 of the depth passing the same
//    tests, since a third echo never comes without a stronger second one.
// The source found is checked again in the same way, so a fourth echo leads back to the first.
// A source must itself reach the bottom's level below the surface band (`where`).
// `last` is the last history entry of this reply.
int EdgeOfRepeatedEcho(const State& s, int edge, double mean, int last,
                       const BottomCandidates& where);

} // namespace vz
