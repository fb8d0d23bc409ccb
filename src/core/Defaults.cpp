#include "core/Defaults.h"

#include "core/State.h"

namespace vz {

namespace {

constexpr const char* kSettingsHeader =
    "Marvek - Default values file - Do not make any changes to this file";
constexpr const char* kSettingsTitle = "Tarvik Vosk Fish Finder Ver:";
// Readers skip everything after the version; a comma would end the line's text early.
constexpr const char* kSettingsNotice = " - Written by the sonar display program";

constexpr float kFactorySoundSpeed = 0.0024755f; // half the speed of sound, feet per microsecond

// User colours 4 to 15; 0 to 3 take the background colour.
constexpr Rgb kFactoryUserColors[12] = {{0, 0, 0},     {0, 0, 128},   {0, 128, 128},  {128, 0, 128},
                                        {128, 0, 0},   {128, 128, 0}, {0, 128, 0},    {0, 255, 0},
                                        {255, 255, 0}, {0, 255, 255}, {255, 128, 64}, {255, 0, 0}};

} // namespace

ChannelSettings factoryChannel(Channel c) {
    ChannelSettings ch;
    ch.Frequency = c == Channel::Right ? 1 : 0; // the right half starts at 50 kHz
    ch.Ascope = c == Channel::Right ? 0 : 1;
    ch.ProcessingType = 0;
    ch.DepthRange = 4;
    ch.DepthOffset = 1;
    ch.PulseWidth = 3;
    ch.AnalogGain = 242;
    ch.StartGain = 110;
    ch.GainRate = 245;
    ch.DspGain = 4;
    ch.Param10 = 1;
    ch.Param13 = 1;
    return ch;
}

void LoadSettingsFileTexts() {
    State& s = state();
    s.SettingsHeader = kSettingsHeader;
    s.SettingsTitle = kSettingsTitle;
    s.SettingsNotice = kSettingsNotice;
}

void LoadDefaultsIntoRam() {
    LoadSettingsFileTexts();
    State& s = state();
    if (s.SoundSpeed == 0.0f) s.SoundSpeed = kFactorySoundSpeed; // keeps a calibrated speed

    s.SplitScreen = 0;
    s.AutoMode = 0;
    s.ClutterFilter = 0;
    s.NoiseFilter = 0;
    s.ChartSpeed = 8;
    s.XmitPower = 50;
    s.ShowColorBars = 1;
    s.ShowDepth = 1;
    s.ShowGpsSpeed = 0;
    s.DepthUnits = 0;
    s.ShowWaterTemp = 1;
    s.TempUnitsC = 0;
    s.ShowWhiteLine = 0;
    s.ShowRangeGate = 0;
    s.ShowGrayLine = 0;
    s.BackgroundColor = kPalette[9]; // light blue
    s.ColorScale = 0;
    s.AScopeThreshold = 4;
    for (Channel c : kChannels)
        s.channel(c) = factoryChannel(c);

    // Index 16 marks user colours as defined; defined colours are the user's own.
    if (s.UserColors[16].toLong() == 0) {
        for (int i = 0; i < 4; ++i)
            s.UserColors[i] = s.BackgroundColor;
        for (int i = 4; i < 16; ++i)
            s.UserColors[i] = kFactoryUserColors[i - 4];
    }

    s.NmeaOutputOn = 0;
    s.DisplayThreshold = 4;
    s.AutoRangeOnly = 1;
    s.LeaveScales = 0;
    s.AutoSaveMinutes = 10;
}

} // namespace vz
