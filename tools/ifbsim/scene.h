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

#include <cstdint>
#include <optional>
#include <vector>

namespace ifbsim {

struct SceneConfig {
    std::optional<double> fixedDepthFt; // --depth-ft: a flat bottom at this depth
    double minDepthFt = 25.0;           // otherwise the bottom wanders between these
    double maxDepthFt = 90.0;
    double waterTempF = 68.0;
    double tempDriftF = 0.3;    // amplitude of the slow temperature drift
    double fishPerMinute = 8.0; // fish (or small schools) passed per minute
    double boatSpeedFtPerS = 4.0;
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
    double thermoclineDepthFt(double t) const;
    double waterTempF(double t) const;
    double surfaceClutter(double t) const; // sea-state factor, about 0.5 .. 1.5
    double fishDepthFt(const Fish& f, double t) const;
    std::vector<FishEcho> fishInBeam(double t, Band band) const;
    const std::vector<Fish>& fish() const { return fish_; }
    const SceneConfig& config() const { return config_; }

  private:
    void spawnAround(double crossTime);

    SceneConfig config_;
    Rng fishRng_;
    double phase_[8];
    double lookaheadS_;
    double nextCross_;
    std::vector<Fish> fish_;
};

} // namespace ifbsim
