#include "echo_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

// Levels are in dB above the 200 kHz receiver noise at the reference gain. The receiver is
// logarithmic: a sample byte is kRawBase + kRawPerDb x (level after gain), plus a small electronic
// floor, clipped to the byte (and to DataOffset..255 for the digital codes, so that the program's
// conversion stays within 0..255). Reference settings are the program's factory values: transmit
// power 50, pulse width 3, analog gain 242, start gain 110, gain rate 245, DSP gain 4.
//
// Each echo is a rectangle as long as the transmit pulse (plus, for the bottom, the spread of the
// beam's footprint) followed by an exponential tail. A sample averages the echoes over its own
// depth bin (centred on its depth, at least the receiver's smoothing length long), so narrow echoes
// are neither lost between coarse digital samples nor aliased; then speckle (gamma-distributed
// intensity) and noise are added. The bottom is far stronger than anything else, and the second
// bottom echo (at twice the depth) weak enough that a depth-weighted bottom search still picks the
// first one, except in the scenes made to be hard (scene.h): there the bottom is soft, the second
// echo strong, a school sits on the bottom or the surface clutter reaches far down.
//
// With a set multiple strength R the bottom's second and third echoes (twice and three times the
// depth) repeat the bottom echo's shape, each with one more footprint spread, at R and R squared
// times the bottom's level above the noise in dB. The level counted is that of echo plus noise,
// so that R = 0 gives no echo and, through the logarithmic receiver, the samples of a multiple
// stand R (or R squared) times as far above the empty water as the bottom's do, whatever gain
// the receiver adds at either depth.

namespace ifbsim {

namespace {
constexpr double kRawPerDb = 2.1;
constexpr double kRawBaseAnalog = 14.0;
constexpr double kRawBaseDigital = 20.0;
constexpr double kElectronicFloorDb = -8.0;
constexpr double kDigitalNoiseReductionDb = -10.0;

constexpr double kRingdownDb = 90.0;       // transducer ring-down right after transmit
constexpr double kThermoclineDb = 22.0;
constexpr double kBottomDb = 132.0;       // bottom level at 1 ft before spreading
constexpr double kBottomReverbFt = 0.6;   // hard bottom rings on past the pulse
constexpr double kBottomTailFt = 0.4;
constexpr double kSecondEchoTailFt = 0.3;
constexpr int kDeepestMultiple = 3;

// A pulse-shaped echo: full level from `start` for `len` feet, then an exponential tail.
struct Echo {
    double start; // ft
    double len;   // ft at full level
    double tau;   // ft, tail decay (intensity)
    double amp;   // linear intensity
};

// A diffuse scattering layer (thermocline): Gaussian in depth.
struct Layer {
    double centre; // ft
    double sigma;  // ft
    double amp;    // linear intensity at the centre
    double at(double depth) const {
        const double z = (depth - centre) / sigma;
        return z * z > 60.0 ? 0.0 : amp * std::exp(-0.5 * z * z);
    }
};

struct Echoes {
    std::vector<Echo> pulses;
    std::vector<Layer> layers;
};

double cumulative(const Echo& e, double x) {
    if (x <= 0) return 0;
    if (x <= e.len) return x;
    const double tail = (x - e.len) / e.tau;
    return e.len + (tail > 40.0 ? e.tau : e.tau * (1.0 - std::exp(-tail)));
}

double binMean(const Echo& e, double a, double b) {
    if (b <= e.start || e.amp <= 0) return 0;
    if (a - e.start > e.len + 40.0 * e.tau) return 0;
    return e.amp * (cumulative(e, b - e.start) - cumulative(e, a - e.start)) / (b - a);
}

double fromDb(double db) {
    return std::pow(10.0, db / 10.0);
}

// Transmit power and pulse width relative to the reference settings.
double transmitDb(const PingSetup& p) {
    return 20.0 * std::log10(std::max(p.xmitPower, 1) / 50.0) +
           10.0 * std::log10(std::max(p.pulseWidth, 1) / 3.0);
}

double receiverNoiseDb(const PingSetup& p) {
    return bandTraits(p.band).noiseDb + (p.digital() ? kDigitalNoiseReductionDb : 0.0);
}

double bottomLevelDb(double depthFt, const BandTraits& bt) {
    return kBottomDb + bt.bottomOffsetDb - 20.0 * std::log10(std::max(depthFt, 1.0)) -
           bt.absorptionDbPerFt * depthFt;
}

Echoes collectEchoes(const Scene& scene, double t, const PingSetup& p, Rng& rng) {
    const BandTraits& bt = bandTraits(p.band);
    const double pulse = std::max(p.pulseLengthFt(), 0.05);
    const double halfBeam = bt.halfBeamDeg * std::numbers::pi / 180.0;
    Echoes all;
    std::vector<Echo>& echoes = all.pulses;

    echoes.push_back({0.0, pulse, 0.2, fromDb(kRingdownDb)});
    // Bubbles and surface scatter.
    const double clutter = scene.surfaceClutter(t) * rng.gamma(1);
    echoes.push_back(
        {0.0, 0.0, scene.surfaceClutterFt(), fromDb(scene.surfaceClutterDb()) * clutter});

    const double bottom = scene.bottomDepthFt(t);
    const double thermo = scene.thermoclineDepthFt(t);
    if (thermo < bottom - 8.0)
        all.layers.push_back({thermo, 0.8, fromDb(kThermoclineDb) * rng.gamma(2)});

    const double spread = bottom * (1.0 / std::cos(halfBeam) - 1.0);
    const double bottomLen = pulse + spread + kBottomReverbFt;
    const double bottomDb = bottomLevelDb(bottom, bt) + scene.bottomStrengthDb();
    echoes.push_back({bottom, bottomLen, kBottomTailFt, fromDb(bottomDb) * rng.gamma(6)});
    echoes.push_back(
        {bottom + bottomLen, 0.0, bt.subBottomTauFt, fromDb(bottomDb + bt.subBottomDb)});
    if (const std::optional<double> r = scene.config().multipleStrength) {
        // Each multiple's intensity puts echo plus noise R^(k-1) times the bottom's dB over
        // the noise.
        const double noise = fromDb(receiverNoiseDb(p));
        const double tx = fromDb(transmitDb(p));
        const double bottomAboveDb = 10.0 * std::log10(1.0 + tx * fromDb(bottomDb) / noise);
        double share = 1.0;
        for (int k = 2; k <= kDeepestMultiple; ++k) {
            share *= *r;
            const double amp = noise / tx * (fromDb(share * bottomAboveDb) - 1.0);
            echoes.push_back({k * bottom, pulse + k * spread + kBottomReverbFt, kBottomTailFt,
                              amp * rng.gamma(3)});
        }
    } else {
        const double second = 2.0 * bottom;
        // Reflected by the bottom twice, so a soft bottom weakens it twice.
        const double secondDb =
            bottomLevelDb(second, bt) + scene.secondEchoDb() + 2.0 * scene.bottomStrengthDb();
        echoes.push_back(
            {second, pulse + 2.0 * spread, kSecondEchoTailFt, fromDb(secondDb) * rng.gamma(3)});
    }

    for (const FishEcho& f : scene.fishInBeam(t, p.band))
        echoes.push_back({f.rangeFt, pulse + bt.rxLengthFt / 2.0, bt.rxLengthFt / 3.0,
                          fromDb(f.levelDb) * rng.gamma(4)});
    return all;
}
} // namespace

double receiverGainDb(const PingSetup& p, double depthFt) {
    const double d = std::max(depthFt, 1.0);
    switch (p.code) {
    case kCodeAnalogFixed:
        return (p.gain - 242) * 0.25;
    case kCodeAnalogTvg: {
        const int rate = 256 - p.gainRateReg; // register 5 = 256 - gain rate
        return (p.gain - 110) * 0.25 + (rate / 245.0) * 10.0 * std::log10(d / 15.0);
    }
    default: // digital: the DSP compensates spreading and absorption itself
        return (p.dspGain - 4) * 1.5 + 20.0 * std::log10(d / 20.0) +
               bandTraits(p.band).absorptionDbPerFt * d;
    }
}

std::vector<uint8_t> synthesizeSamples(const Scene& scene, double t, const PingSetup& p,
                                       Rng& noise) {
    const int n = std::max(p.count - 1, 0);
    std::vector<uint8_t> out(static_cast<size_t>(n));
    if (n == 0) return out;

    const BandTraits& bt = bandTraits(p.band);
    const Echoes echoes = collectEchoes(scene, t, p, noise);
    const double tx = fromDb(transmitDb(p));
    const double noiseFloor = fromDb(receiverNoiseDb(p));
    const double electronic = fromDb(kElectronicFloorDb);
    const double bin = std::max(p.depthPerSampleFt(), bt.rxLengthFt);
    const int shape = p.digital() ? 8 : 3;
    const double base = p.digital() ? kRawBaseDigital : kRawBaseAnalog;
    const double rawMin = p.digital() ? p.dataOffset : 0.0;

    for (int i = 0; i < n; ++i) {
        const double depth = p.entryDepthFt(i + 2);
        const double a = depth - bin / 2.0;
        double signal = 0;
        for (const Echo& e : echoes.pulses)
            signal += binMean(e, a, a + bin);
        for (const Layer& l : echoes.layers)
            signal += l.at(depth);
        const double gain = fromDb(receiverGainDb(p, depth));
        const double power =
            gain * (tx * signal * noise.gamma(shape) + noiseFloor * noise.gamma(shape)) +
            electronic;
        const double raw = base + kRawPerDb * 10.0 * std::log10(power) + noise.uniform(-0.5, 0.5);
        out[static_cast<size_t>(i)] =
            static_cast<uint8_t>(std::lround(std::clamp(raw, rawMin, 255.0)));
    }
    return out;
}

} // namespace ifbsim
