#pragma once
// Turns the scene at one ping into the raw sample bytes of the reply (entries 2..C), following
// the settings the program wrote: transmit power, pulse width, gains, band and processing code.
#include "ping_setup.h"
#include "rng.h"
#include "scene.h"

#include <cstdint>
#include <vector>

namespace ifbsim {

// C - 1 raw bytes (none when C < 2) for the ping at scene time t. `noise` supplies speckle.
std::vector<uint8_t> synthesizeSamples(const Scene& scene, double t, const PingSetup& setup,
                                       Rng& noise);

// Receiver gain in dB at a depth for the setup (fixed analog, time-varying or DSP gain).
double receiverGainDb(const PingSetup& setup, double depthFt);

} // namespace ifbsim
