#include "ping_setup.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ifbsim {

namespace {
// DspScaleTable: feet per sample for DSP gains 1..15.
constexpr std::array<double, 15> kScale200Type2{
    0.3094375, 0.3094375, 0.3094375, 0.3094375, 0.371325,  0.4332125, 0.4951,  0.5569875,
    0.618875,  0.6807625, 0.74265,   0.802062,  0.8639495, 0.925837,  0.925837};
constexpr std::array<double, 15> kScale200Type3{
    0.8243415, 0.8243415, 0.8243415, 0.8243415, 0.8243415, 0.8243415, 0.9481165, 1.069416,
    1.193191,  1.316966,  1.440741,  1.564516,  1.688291,  1.812066,  1.935841};
constexpr std::array<double, 15> kScale50Type2{0.5470855, 0.5470855, 0.7946355, 1.044661, 1.292211,
                                               1.539761,  1.789786,  2.037337,  2.284887, 2.534912,
                                               2.782462,  3.032487,  3.032487,  3.032487, 3.032487};
constexpr std::array<double, 15> kScale50Type3{2.569569, 2.569569, 2.569569, 2.569569, 2.569569,
                                               3.067144, 3.562244, 4.062294, 4.557395, 5.057444,
                                               5.550071, 6.047647, 6.047647, 6.047647, 6.047647};

constexpr int kMaxTrailerValue = 32767;
} // namespace

bool isPingCode(uint8_t value) {
    return value == kCodeAnalogFixed || value == kCodeAnalogTvg || value == kCodeDigital1 ||
           value == kCodeDigital2;
}

double dspScaleFt(int processingType, int dspGain, Band band) {
    const int g = std::clamp(dspGain, 1, 15) - 1;
    const bool type3 = processingType >= 3;
    if (band == Band::Khz50) return type3 ? kScale50Type3[g] : kScale50Type2[g];
    return type3 ? kScale200Type3[g] : kScale200Type2[g];
}

PingSetup makePingSetup(uint8_t code, const RegisterFile& regs) {
    PingSetup p;
    p.code = code;
    p.band = regs.read(1) >= 2 ? Band::Khz50 : Band::Khz200;
    p.xmitPower = regs.read(3);
    p.gain = regs.read(4);
    p.gainRateReg = regs.read(5);
    p.pulseWidth = regs.read(6);
    p.dspGain = regs.read(7);
    p.count = regs.read(8) * 256 + regs.read(9);
    if (p.digital()) {
        const int type = code == kCodeDigital2 ? 3 : 2;
        const double feet = dspScaleFt(type, p.dspGain, p.band);
        p.sampleInterval = std::clamp(static_cast<int>(std::lround(feet / kSoundSpeedFtPerUs)), 1,
                                      kMaxTrailerValue);
        p.dataOffset = kDigitalDataOffset;
        p.multiplierX1000 =
            code == kCodeDigital2 ? kDigital2MultiplierX1000 : kDigital1MultiplierX1000;
    } else {
        p.sampleInterval = kAnalogSampleInterval;
        p.dataOffset = 0;
        p.multiplierX1000 = 1000;
    }
    // The first sample is taken a few sample times after the transmit pulse.
    p.sampleDelay = std::min(3 * p.sampleInterval, kMaxTrailerValue);
    return p;
}

} // namespace ifbsim
