#include "Figures.h"

#include <cmath>

namespace trackacc {

namespace {

constexpr double kStepFt = 5.0;
constexpr double kSurfaceBandFt = 12.0; // ring-down and surface clutter, heavy clutter included
constexpr int kHoldSearches = 10;      // a depth holds when this many searches in a row are right
constexpr std::size_t kSteadyPings = 10;
constexpr double kSteadyFt = 1.0;
constexpr double kAlarmMargin = 0.1; // the shallow and deep alarms, this share from the truth

enum class Miss { MultipleEcho, Fish, Surface, Other };

// Within 4 % + 1 ft of twice or three times the true depth: on one of the bottom's repetitions.
bool OnMultipleEcho(double d, double bottomFt) {
    for (int k = 2; k <= 3; ++k) {
        const double multiple = k * bottomFt;
        if (std::abs(d - multiple) <= 0.04 * multiple + 1.0) return true;
    }
    return false;
}

Miss Classify(double d, const TruthPing& t) {
    if (OnMultipleEcho(d, t.bottomFt)) return Miss::MultipleEcho;
    if (t.fish > 0 && d < t.bottomFt && d >= t.fishNearestFt - 1.0 && d <= t.fishFarthestFt + 1.0)
        return Miss::Fish;
    if (d < kSurfaceBandFt && d < 0.5 * t.bottomFt) return Miss::Surface;
    return Miss::Other;
}

// Pings at which the true bottom stepped (the first ping after the jump).
std::vector<std::size_t> Steps(const std::vector<TruthPing>& truth) {
    std::vector<std::size_t> steps;
    for (std::size_t i = 1; i < truth.size(); ++i)
        if (std::abs(truth[i].bottomFt - truth[i - 1].bottomFt) > kStepFt) steps.push_back(i);
    return steps;
}

// Pings from the step until the first search from which kHoldSearches searches are right.
int SettleAfter(std::size_t step, const std::vector<PingResult>& results,
                const std::vector<TruthPing>& truth) {
    for (std::size_t j = step; j < results.size(); ++j) {
        if (!results[j].searched) continue;
        int held = 0;
        std::size_t k = j;
        for (; k < results.size() && held < kHoldSearches; ++k) {
            if (!results[k].searched) continue;
            if (!results[k].found || !WithinBand(results[k].depthFt, truth[k].bottomFt)) break;
            ++held;
        }
        if (held == kHoldSearches) return static_cast<int>(j - step);
    }
    return -1;
}

} // namespace

bool WithinBand(double trackedFt, double trueFt) {
    return std::abs(trackedFt - trueFt) <= 0.02 * trueFt + 0.5;
}

Figures Measure(const std::vector<PingResult>& results, const std::vector<TruthPing>& truth,
                int settlePings) {
    Figures f;
    const std::size_t n = std::min(results.size(), truth.size());
    std::vector<bool> settled(n, true);
    for (std::size_t i = 0; i < n && i < static_cast<std::size_t>(settlePings); ++i)
        settled[i] = false;
    const std::vector<std::size_t> steps = Steps(truth);
    for (std::size_t step : steps) {
        for (std::size_t i = step; i < n && i < step + static_cast<std::size_t>(settlePings); ++i)
            settled[i] = false;
        if (step >= n) continue;
        const int pings = SettleAfter(step, results, truth);
        if (pings < 0)
            ++f.unsettledSteps;
        else
            f.settlePings.push_back(pings);
    }
    f.startSettle = SettleAfter(0, results, truth);
    for (std::size_t i = 0; i < n; ++i) {
        const PingResult& r = results[i];
        const TruthPing& t = truth[i];
        if (r.found && !WithinBand(r.depthFt, t.bottomFt)) {
            ++f.falseDepths;
            if (t.bottomFt > r.windowFootFt) ++f.falseWhileHunting;
        }
        if (r.found && (r.depthFt < (1.0 - kAlarmMargin) * t.bottomFt ||
                        r.depthFt > (1.0 + kAlarmMargin) * t.bottomFt))
            ++f.falseAlarms;
        if (!r.discarded && settled[i]) {
            ++f.drawnSettled;
            if (t.bottomFt < r.windowTopFt || t.bottomFt > r.windowFootFt) ++f.offWindow;
        }
        if (!r.searched) continue;
        ++f.searched;
        if (!settled[i]) continue;
        ++f.settled;
        const double error = std::abs(r.depthFt - t.bottomFt);
        if (error > f.worstFt) {
            f.worstFt = error;
            f.worstAtFt = t.bottomFt;
        }
        const bool steady = i >= kSteadyPings &&
                            std::abs(t.bottomFt - truth[i - kSteadyPings].bottomFt) < kSteadyFt;
        if (steady) ++f.steady;
        if (r.found && WithinBand(r.depthFt, t.bottomFt)) {
            ++f.within;
            if (steady) ++f.steadyWithin;
            continue;
        }
        if (!r.found) {
            ++f.notFound;
            continue;
        }
        switch (Classify(r.depthFt, t)) {
        case Miss::MultipleEcho:
            ++f.multipleEcho;
            break;
        case Miss::Fish:
            ++f.fish;
            break;
        case Miss::Surface:
            ++f.surface;
            break;
        case Miss::Other:
            ++f.other;
            break;
        }
    }
    return f;
}

} // namespace trackacc
