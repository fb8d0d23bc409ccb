#pragma once
// What a ping command means, read from the registers the program wrote (channel block
// layout: reg 1 = frequency + 1, reg 3 transmit power, reg 4 analog / start gain (255 digital),
// reg 5 = 256 - gain rate, reg 6 pulse width, reg 7 DSP gain, regs 8..9 = C) and the box's choice
// of sample timing and digital scaling for the reply trailer.
#include "acoustics.h"
#include "registers.h"

#include <cstdint>

namespace ifbsim {

// Processing codes that start a ping when written into register 0.
inline constexpr uint8_t kCodeAnalogFixed = 1;
inline constexpr uint8_t kCodeAnalogTvg = 2;
inline constexpr uint8_t kCodeDigital1 = 0x81;
inline constexpr uint8_t kCodeDigital2 = 0x82;
bool isPingCode(uint8_t value);

// Analog sampling: 61 us per sample, 0.151 ft.
inline constexpr int kAnalogSampleInterval = 61;
// Digital replies: raw bytes DataOffset..255 map onto 0..255 by the program's conversion
// |raw - offset| x multiplier (x 1.9 more for code 0x82).
inline constexpr int kDigitalDataOffset = 16;
inline constexpr int kDigital1MultiplierX1000 = 1067; // 239 x 1.067 = 255
inline constexpr int kDigital2MultiplierX1000 = 562;  // 239 x 0.562 x 1.9 = 255
// Transmit pulse length per unit of register 6.
inline constexpr double kPulseUnitUs = 50.0;

// Feet of depth per sample for a digital processing type (2 or 3), DSP gain (1..15, clamped) and
// band: the program's DspScaleTable.
double dspScaleFt(int processingType, int dspGain, Band band);

struct PingSetup {
    uint8_t code = kCodeAnalogFixed;
    Band band = Band::Khz200;
    int xmitPower = 0;   // reg 3, 0..255
    int gain = 0;        // reg 4: fixed analog gain (code 1), start gain (code 2)
    int gainRateReg = 0; // reg 5 = 256 - gain rate
    int pulseWidth = 0;  // reg 6
    int dspGain = 0;     // reg 7
    int count = 0;       // C = reg 8 x 256 + reg 9: reply entries 2..C-1 are samples
    int sampleInterval = kAnalogSampleInterval; // us between samples, < 32768
    int sampleDelay = 0;                        // us before the first sample time, < 32768
    int dataOffset = 0;
    int multiplierX1000 = 1000;

    bool digital() const { return (code & 0x80) != 0; }
    double depthPerSampleFt() const { return sampleInterval * kSoundSpeedFtPerUs; }
    // Depth of reply entry i, as the program computes it: (i x interval + delay) x SoundSpeed.
    double entryDepthFt(int entry) const {
        return (entry * static_cast<double>(sampleInterval) + sampleDelay) * kSoundSpeedFtPerUs;
    }
    double pulseLengthFt() const { return pulseWidth * kPulseUnitUs * kSoundSpeedFtPerUs; }
    // Time the box listens before the last sample is taken, in microseconds.
    double listenTimeUs() const {
        return static_cast<double>(count) * sampleInterval + sampleDelay;
    }
};

PingSetup makePingSetup(uint8_t code, const RegisterFile& regs);

} // namespace ifbsim
