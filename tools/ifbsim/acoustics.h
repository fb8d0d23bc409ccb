#pragma once
// Physical constants of the simulated box and its two transducers. Levels are in dB above the
// receiver noise of the 200 kHz channel at the reference gain; see echo_model.cpp for how a level
// becomes a sample byte.
namespace ifbsim {

// Half the speed of sound in feet per microsecond: depth per unit of sample time (the program's default
// SoundSpeed). The box's time unit is the microsecond.
inline constexpr double kSoundSpeedFtPerUs = 0.0024755;

enum class Band { Khz200 = 0, Khz50 = 1 };

struct BandTraits {
    double halfBeamDeg;       // half-power half angle; two-way loss 6 dB there
    double absorptionDbPerFt; // two-way absorption per foot of range
    double noiseDb;           // receiver + ambient noise relative to the 200 kHz channel
    double fishTsOffsetDb;    // fish look a little weaker at 50 kHz
    double bottomOffsetDb;    // bottom backscatter relative to 200 kHz
    double rxLengthFt;        // receiver smoothing: finer detail at 200 kHz
    double subBottomDb;       // echo from inside the bottom, relative to the bottom echo
    double subBottomTauFt;    // its decay: 50 kHz reaches further into soft sediment
};

inline const BandTraits& bandTraits(Band band) {
    static constexpr BandTraits k200{8.0, 0.05, 0.0, 0.0, 0.0, 0.10, -30.0, 0.6};
    static constexpr BandTraits k50{16.0, 0.012, 3.0, -3.0, 3.0, 0.35, -25.0, 1.5};
    return band == Band::Khz50 ? k50 : k200;
}

// Two-way beam loss in dB at an angle off the axis, and the angle at which a target is no longer
// seen (20 dB down).
inline double beamLossDb(double offAxisDeg, const BandTraits& b) {
    const double q = offAxisDeg / b.halfBeamDeg;
    return 6.0 * q * q;
}
inline constexpr double kBeamCutoffDb = 20.0;

} // namespace ifbsim
