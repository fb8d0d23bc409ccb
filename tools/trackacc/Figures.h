#pragma once
// The accuracy figures of one session: tracked depth against the simulator's truth.
#include "TrackingRun.h"
#include "TruthFile.h"

#include <vector>

namespace trackacc {

struct Figures {
    int searched = 0;             // replies the tracker searched
    int settled = 0;              // ... of them once the damping had settled
    int within = 0;               // ... of those within 2 % + 0.5 ft of the truth
    int steady = 0;               // settled ones where the bottom moved less than 1 ft in 10 pings
    int steadyWithin = 0;         // ... of those within the band
    double worstFt = 0;           // largest error among the settled ones
    double worstAtFt = 0;         // the true depth there
    int multipleEcho = 0;         // settled and out of the band: on the bottom's 2nd or 3rd echo
    int fish = 0;                 // ... on fish (a school) in the beam
    int surface = 0;              // ... in the surface band
    int other = 0;                // ... anything else (lagging behind the bottom)
    int notFound = 0;             // settled, and no bottom shown
    std::vector<int> settlePings; // per step of the bottom: pings until the depth holds again
    int unsettledSteps = 0;       // steps after which it never held within the session
    int drawnSettled = 0;         // replies drawn once settled
    int offWindow = 0;            // ... whose window did not contain the true bottom
    int startSettle = -1;         // pings from the start until the depth holds (-1: never)
    int falseDepths = 0;          // pings, settled or not, showing (and sending) a wrong depth
    int falseWhileHunting = 0;    // ... of them while the true bottom lay below the window
    int falseAlarms = 0;          // pings raising a shallow or deep alarm set 10 % from the truth
};

// A shown depth is wrong outside the band; a ping with no bottom shown shows nothing wrong.
// The alarms are those a user would set 10 % above and below the true depth: either fires only
// on a shown depth more than 10 % off.
// Settled means: neither within the first `settlePings` pings of the session nor within
// `settlePings` pings after a step of the true bottom (more than 5 ft from one ping to the next).
Figures Measure(const std::vector<PingResult>& results, const std::vector<TruthPing>& truth,
                int settlePings);

// Whether a tracked depth counts as right: within 2 % of the true depth plus half a foot.
bool WithinBand(double trackedFt, double trueFt);

} // namespace trackacc
