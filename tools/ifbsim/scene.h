#pragma once
// The water under the simulated boat, as plain functions of scene time t (seconds):
//   bottomDepthFt(t)       true bottom depth below the transducer at the ping at time t
//   fishInBeam(t, band)    the fish the beam of that band sees at time t, with range and level
//   thermoclineDepthFt(t), waterTempF(t), surfaceClutter(t)
// The boat moves along a straight track at a steady speed; fish are fixed points in the water
// (swimming up and down a little) that the boat passes over, so their range traces an arch across
// successive pings. Fish are made lazily, in order of the time the boat passes over them, from the
// scene's own generator: the same seed gives the same fish at the same times, however the scene is
// sampled. advanceTo(t) must have been called with a time at or after t before fishInBeam(t).
#include "acoustics.h"
#include "rng.h"
#include "survey.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ifbsim {

// --scene: the water under the boat. Wandering is the everyday scene described above; the others
// each put one hard case for a bottom tracker in front of it:
//   shelving     the bottom shelves from 15 to 400 ft and back (850 s a cycle)
//   dropoff      a steep wall: 30 ft, then 120 ft (--floor-ft) within half a second, and back
//                (120 s a cycle)
//   soft         a soft bottom that returns a 20 dB weaker echo
//   second-echo  a hard, calm bottom whose echo returns again at twice the depth, strongly
//   school       a big school of fish close to the bottom, about every 30 s (no single fish)
//   clutter      heavy surface clutter (wake, bubbles) reaching far down
//   multiples    a hard, calm bottom in flats of 15, 30, 45 and 60 ft, 60 s each, joined by walls
//                of half a second, then from 15 ft again (240 s a cycle): the depths at which a
//                bottom's multiple echoes (--multiple-strength) fall inside the usual windows
enum class SceneKind { Wandering, Shelving, DropOff, Soft, SecondEcho, School, Clutter, Multiples };
std::optional<SceneKind> sceneKindNamed(const std::string& name);

struct SceneConfig {
    SceneKind kind = SceneKind::Wandering;
    std::optional<double> fixedDepthFt; // --depth-ft: a flat bottom at this depth
    double minDepthFt = 25.0;           // otherwise the bottom wanders between these
    double maxDepthFt = 90.0;
    double dropOffFloorFt = 120.0; // --floor-ft: the foot of the drop-off's wall
    double waterTempF = 68.0;
    double tempDriftF = 0.3;    // amplitude of the slow temperature drift
    double fishPerMinute = 8.0; // fish (or small schools) passed per minute
    double boatSpeedFtPerS = 4.0;
    // --multiple-strength R (0..1): the bottom's second echo comes back at R times the bottom
    // echo's level above the receiver noise (in dB, before the receiver's gain) and a third echo
    // at R squared times it, instead of the physical model's weak second echo.
    std::optional<double> multipleStrength;
    // --lake SEED: the boat runs the survey of the simulated lake (tools/lake), and the bottom is
    // the lake's floor under it. The survey's clock is scene time plus lakeClockOffsetS (the
    // Unix time at the start on the wall clock, so that gpssim --lake agrees).
    std::optional<std::uint64_t> lakeSeed;
    double lakeClockOffsetS = 0;
};

struct Fish {
    double crossTime = 0; // scene time at which the boat is right above it
    double lateralFt = 0; // offset across the track
    double depthFt = 0;   // mean depth
    double tsDb = 0;      // target strength (level at 1 ft, dB over noise)
    double swimAmpFt = 0; // slow up-and-down swimming
    double swimPeriodS = 30;
    double swimPhase = 0;
};

struct FishEcho {
    double rangeFt = 0; // slant range from the transducer
    double levelDb = 0; // echo level at the receiver: strength, spreading, absorption, beam
};

class Scene {
  public:
    Scene(const SceneConfig& config, uint64_t seed);

    void advanceTo(double t);

    double bottomDepthFt(double t) const;
    // Where the boat is at time t on the lake's survey; nothing without --lake.
    std::optional<lake::BoatFix> boatFix(double t) const;
    double thermoclineDepthFt(double t) const;
    double waterTempF(double t) const;
    double surfaceClutter(double t) const; // sea-state factor, about 0.5 .. 1.5
    // Echo strengths that the scene sets apart from the everyday water (dB, feet).
    double bottomStrengthDb() const;  // added to the bottom's backscatter
    double secondEchoDb() const;      // the second bottom echo relative to a bottom twice as deep
    double surfaceClutterDb() const;  // surface clutter level at the surface
    double surfaceClutterFt() const;  // its decay with depth (intensity, e-folding)
    double fishDepthFt(const Fish& f, double t) const;
    std::vector<FishEcho> fishInBeam(double t, Band band) const;
    const std::vector<Fish>& fish() const { return fish_; }
    const SceneConfig& config() const { return config_; }

  private:
    void spawnAround(double crossTime);
    void spawnSchoolNearBottom(double crossTime);
    double meanFishGapS() const; // seconds between fish (or schools) passed, infinite for none

    SceneConfig config_;
    std::optional<lake::Lake> lake_;
    std::optional<lake::SurveyTrack> survey_;
    Rng fishRng_;
    double phase_[8];
    double lookaheadS_;
    double nextCross_;
    std::vector<Fish> fish_;
};

} // namespace ifbsim
