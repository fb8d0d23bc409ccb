#include "scene.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace ifbsim {

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr uint64_t kStreamPhases = 1;
constexpr uint64_t kStreamFish = 2;
constexpr double kSchoolChance = 0.12;
constexpr double kNearFieldFt = 6.0;
constexpr double kShallowestFishFt = 5.0;

// Shelving: 15 ft, a smooth slope to 400 ft, 400 ft, the slope back.
constexpr double kShelfShallowFt = 15.0;
constexpr double kShelfDeepFt = 400.0;
constexpr double kShelfFlatS = 20.0;
constexpr double kShelfDeepFlatS = 30.0;
constexpr double kShelfSlopeS = 400.0;
// Drop-off: two flats joined by a wall the boat crosses within half a second.
constexpr double kLedgeFt = 30.0;
constexpr double kDropHalfPeriodS = 60.0;
constexpr double kWallS = 0.5;
// Multiples: flats at these depths, each held for kMultipleFlatS (its last kWallS being the wall
// to the next one), in a cycle.
constexpr double kMultipleFlatsFt[] = {15.0, 30.0, 45.0, 60.0};
constexpr double kMultipleFlatS = 60.0;
// The hard cases' echo strengths, and the everyday ones.
constexpr double kSoftBottomDb = -20.0;
constexpr double kSecondEchoDb = -70.0;
constexpr double kStrongSecondEchoDb = -35.0;
constexpr double kClutterDb = 60.0;
constexpr double kClutterFt = 0.6;
constexpr double kHeavyClutterDb = 75.0;
constexpr double kHeavyClutterFt = 1.2;
// Deeper than any simulated lake's floor.
constexpr double kLakeDeepestFt = 80.0;
// A school near the bottom: about every 30 s, tens of fish a few feet above the bottom.
constexpr double kSchoolGapS = 30.0;

double wave(double t, double period, double phase) {
    return std::sin(kTwoPi * t / period + phase);
}

// 0 at x <= 0, 1 at x >= 1, smooth (cosine) in between.
double ease(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

double shelvingDepthFt(double t) {
    const double period = 2.0 * kShelfSlopeS + kShelfFlatS + kShelfDeepFlatS;
    const double s = std::fmod(std::max(t, 0.0), period);
    const double down = (s - kShelfFlatS) / kShelfSlopeS;
    const double up = (s - kShelfFlatS - kShelfSlopeS - kShelfDeepFlatS) / kShelfSlopeS;
    return kShelfShallowFt + (kShelfDeepFt - kShelfShallowFt) * (ease(down) - ease(up));
}

double dropOffDepthFt(double t, double floorFt) {
    const double s = std::fmod(std::max(t, 0.0), 2.0 * kDropHalfPeriodS);
    const double down = (s - kDropHalfPeriodS / 2.0) / kWallS;
    const double up = (s - 1.5 * kDropHalfPeriodS) / kWallS;
    return kLedgeFt + (floorFt - kLedgeFt) * (ease(down) - ease(up));
}

double multiplesDepthFt(double t) {
    constexpr int flats = static_cast<int>(std::size(kMultipleFlatsFt));
    const double s = std::fmod(std::max(t, 0.0), flats * kMultipleFlatS);
    const int k = std::min(static_cast<int>(s / kMultipleFlatS), flats - 1);
    const double here = kMultipleFlatsFt[k];
    const double next = kMultipleFlatsFt[(k + 1) % flats];
    const double wall = (s - (k + 1) * kMultipleFlatS + kWallS) / kWallS;
    return here + (next - here) * ease(wall);
}
} // namespace

std::optional<SceneKind> sceneKindNamed(const std::string& name) {
    static const std::pair<const char*, SceneKind> kinds[] = {
        {"wandering", SceneKind::Wandering},    {"shelving", SceneKind::Shelving},
        {"dropoff", SceneKind::DropOff},        {"soft", SceneKind::Soft},
        {"second-echo", SceneKind::SecondEcho}, {"school", SceneKind::School},
        {"clutter", SceneKind::Clutter},        {"multiples", SceneKind::Multiples}};
    for (const auto& [n, kind] : kinds)
        if (name == n) return kind;
    return std::nullopt;
}

Scene::Scene(const SceneConfig& config, uint64_t seed)
    : config_(config), fishRng_(seed, kStreamFish) {
    if (config_.lakeSeed) {
        lake_.emplace(*config_.lakeSeed);
        survey_.emplace(*lake_, *config_.lakeSeed);
        // Fish pass under the boat at the survey's speed.
        config_.boatSpeedFtPerS = lake::SurveyTrack::kSpeedKn * 1852.0 / 3600.0 / 0.3048;
    }
    Rng phases(seed, kStreamPhases);
    for (double& p : phase_)
        p = phases.uniform(0.0, kTwoPi);
    double deepest = config_.fixedDepthFt.value_or(config_.maxDepthFt);
    if (lake_) deepest = kLakeDeepestFt;
    if (config_.kind == SceneKind::Shelving) deepest = kShelfDeepFt;
    if (config_.kind == SceneKind::DropOff) deepest = config_.dropOffFloorFt;
    if (config_.kind == SceneKind::Multiples) deepest = *std::ranges::max_element(kMultipleFlatsFt);
    // Long enough for the widest beam (50 kHz, out to the cut-off angle) at the deepest fish.
    const double halfWidthFt =
        deepest * std::tan(2.0 * bandTraits(Band::Khz50).halfBeamDeg * std::numbers::pi / 180.0);
    lookaheadS_ = (halfWidthFt + 20.0) / std::max(config_.boatSpeedFtPerS, 0.1);
    const double gap = meanFishGapS();
    nextCross_ = std::isfinite(gap) ? fishRng_.exponential(gap) : INFINITY;
}

double Scene::meanFishGapS() const {
    if (config_.kind == SceneKind::School) return kSchoolGapS;
    return config_.fishPerMinute > 0 ? 60.0 / config_.fishPerMinute : INFINITY;
}

void Scene::advanceTo(double t) {
    while (nextCross_ <= t + lookaheadS_) {
        if (config_.kind == SceneKind::School)
            spawnSchoolNearBottom(nextCross_);
        else
            spawnAround(nextCross_);
        nextCross_ += fishRng_.exponential(meanFishGapS());
    }
    std::erase_if(fish_, [&](const Fish& f) { return f.crossTime < t - lookaheadS_; });
}

void Scene::spawnAround(double crossTime) {
    const double bottom = bottomDepthFt(crossTime);
    const double deepest = std::max(bottom - 2.0, kShallowestFishFt);
    const double depth = fishRng_.uniform(std::min(kShallowestFishFt, deepest), deepest);
    const double lateralSpan =
        depth * std::tan(bandTraits(Band::Khz50).halfBeamDeg * std::numbers::pi / 180.0);
    Fish lead;
    lead.crossTime = crossTime;
    lead.lateralFt = fishRng_.uniform(-lateralSpan, lateralSpan);
    lead.depthFt = depth;
    lead.tsDb = 140.0 + fishRng_.uniform(-8.0, 6.0);
    lead.swimAmpFt = fishRng_.uniform(0.0, 1.5);
    lead.swimPeriodS = fishRng_.uniform(15.0, 60.0);
    lead.swimPhase = fishRng_.uniform(0.0, kTwoPi);
    if (!fishRng_.chance(kSchoolChance)) {
        fish_.push_back(lead);
        return;
    }
    // A small school of smaller fish around the lead position.
    const int members = 6 + fishRng_.below(9);
    for (int i = 0; i < members; ++i) {
        Fish f = lead;
        f.crossTime += fishRng_.uniform(-6.0, 6.0) / std::max(config_.boatSpeedFtPerS, 0.1);
        f.lateralFt += fishRng_.uniform(-4.0, 4.0);
        f.depthFt = std::clamp(depth + fishRng_.uniform(-2.0, 2.0), 2.0, deepest);
        f.tsDb = 132.0 + fishRng_.uniform(-4.0, 4.0);
        f.swimPhase = fishRng_.uniform(0.0, kTwoPi);
        fish_.push_back(f);
    }
}

void Scene::spawnSchoolNearBottom(double crossTime) {
    const double bottom = bottomDepthFt(crossTime);
    const double centre = std::max(bottom - fishRng_.uniform(2.0, 6.0), kShallowestFishFt);
    const int members = 25 + fishRng_.below(26);
    for (int i = 0; i < members; ++i) {
        Fish f;
        f.crossTime = crossTime + fishRng_.uniform(-10.0, 10.0) / std::max(config_.boatSpeedFtPerS, 0.1);
        f.lateralFt = fishRng_.uniform(-6.0, 6.0);
        f.depthFt = std::clamp(centre + fishRng_.uniform(-2.0, 2.0), 2.0, std::max(bottom - 1.0, 2.0));
        f.tsDb = 132.0 + fishRng_.uniform(-4.0, 4.0);
        f.swimAmpFt = fishRng_.uniform(0.0, 0.5);
        f.swimPeriodS = fishRng_.uniform(15.0, 60.0);
        f.swimPhase = fishRng_.uniform(0.0, kTwoPi);
        fish_.push_back(f);
    }
}

std::optional<lake::BoatFix> Scene::boatFix(double t) const {
    if (!survey_) return std::nullopt;
    return survey_->at(t + config_.lakeClockOffsetS);
}

double Scene::bottomDepthFt(double t) const {
    if (survey_) return lake_->depthFt(boatFix(t)->local);
    if (config_.kind == SceneKind::Shelving) return shelvingDepthFt(t);
    if (config_.kind == SceneKind::DropOff) return dropOffDepthFt(t, config_.dropOffFloorFt);
    if (config_.fixedDepthFt) return *config_.fixedDepthFt;
    if (config_.kind == SceneKind::Multiples) return multiplesDepthFt(t);
    const double lo = config_.minDepthFt;
    const double hi = std::max(config_.maxDepthFt, lo);
    // Long swells of the bottom over minutes, with some small-scale roughness.
    const double w = 0.5 * wave(t, 540.0, phase_[0]) + 0.3 * wave(t, 210.0, phase_[1]) +
                     0.2 * wave(t, 83.0, phase_[2]);
    const double depth = lo + (hi - lo) * (0.5 + 0.5 * w) + 0.25 * wave(t, 9.0, phase_[3]);
    return std::clamp(depth, lo, hi);
}

double Scene::thermoclineDepthFt(double t) const {
    return 18.0 + 4.0 * wave(t, 700.0, phase_[4]);
}

double Scene::waterTempF(double t) const {
    return config_.waterTempF +
           config_.tempDriftF * (0.7 * wave(t, 480.0, phase_[5]) + 0.3 * wave(t, 131.0, phase_[6]));
}

double Scene::surfaceClutter(double t) const {
    return 1.0 + 0.5 * wave(t, 53.0, phase_[7]);
}

double Scene::bottomStrengthDb() const {
    return config_.kind == SceneKind::Soft ? kSoftBottomDb : 0.0;
}

double Scene::secondEchoDb() const {
    return config_.kind == SceneKind::SecondEcho ? kStrongSecondEchoDb : kSecondEchoDb;
}

double Scene::surfaceClutterDb() const {
    return config_.kind == SceneKind::Clutter ? kHeavyClutterDb : kClutterDb;
}

double Scene::surfaceClutterFt() const {
    return config_.kind == SceneKind::Clutter ? kHeavyClutterFt : kClutterFt;
}

double Scene::fishDepthFt(const Fish& f, double t) const {
    const double d = f.depthFt + f.swimAmpFt * wave(t - f.crossTime, f.swimPeriodS, f.swimPhase);
    return std::clamp(d, 2.0, std::max(bottomDepthFt(f.crossTime) - 1.5, 2.0));
}

std::vector<FishEcho> Scene::fishInBeam(double t, Band band) const {
    const BandTraits& bt = bandTraits(band);
    std::vector<FishEcho> out;
    for (const Fish& f : fish_) {
        const double along = config_.boatSpeedFtPerS * (f.crossTime - t);
        const double horizontal = std::hypot(along, f.lateralFt);
        const double depth = fishDepthFt(f, t);
        const double offAxisDeg = std::atan2(horizontal, depth) * 180.0 / std::numbers::pi;
        const double beam = beamLossDb(offAxisDeg, bt);
        if (beam > kBeamCutoffDb) continue;
        const double range = std::hypot(horizontal, depth);
        // Spreading is counted from kNearFieldFt on: a fish right under the transducer saturates
        // the receiver but does not ring on for feet.
        const double level = f.tsDb + bt.fishTsOffsetDb -
                             40.0 * std::log10(std::max(range, kNearFieldFt)) -
                             bt.absorptionDbPerFt * range - beam;
        out.push_back({range, level});
    }
    return out;
}

} // namespace ifbsim
