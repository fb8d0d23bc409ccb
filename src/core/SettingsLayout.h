#pragma once
// The values of settings-file lines 3 to 83, in file order. One list serves both the reader and
// the writer: `io.value(field)` is called for each field, and the field's type is its type in the
// file (std::uint8_t byte, std::int16_t integer, float, Rgb long, the user colours one line of 16
// longs). Fields that index a table or a step row carry the bounds of what they can mean: a value
// outside them makes the file as unreadable as a missing line.
#include "core/State.h"

#include <cstdint>

namespace vz {

template <class Io> void VisitSettingsChannel(ChannelSettings& c, Io& io) {
    io.value(c.Frequency, 0, 1);
    io.value(c.Ascope);
    io.value(c.ProcessingType, 0, 3);
    io.value(c.DepthRange, 1, 11);
    io.value(c.DepthOffset, 1, 13);
    io.value(c.PulseWidth);
    io.value(c.AnalogGain);
    io.value(c.StartGain);
    io.value(c.GainRate);
    io.value(c.DspGain, 0, 15);
    io.value(c.Param10);
    io.value(c.Param13);
}

template <class Io> void VisitSettingsLines(State& s, Io& io) {
    // COM1..COM16, 0 for none, or not chosen yet (kPortNotChosen): the start-up asks for it.
    io.value(s.IfbPort, 0, kPortNotChosen);
    io.value(s.GpsPort, 0, kPortNotChosen);
    io.value(s.SoundSpeed);
    io.value(s.SplitScreen);
    io.value(s.AutoMode);
    io.value(s.ClutterFilter, 0, 8);
    io.value(s.NoiseFilter);
    io.value(s.ChartSpeed, 1, 8);
    io.value(s.XmitPower);
    io.value(s.ShowColorBars);
    io.value(s.ShowDepth);
    io.value(s.ShowGpsSpeed);
    io.value(s.DepthUnits, 0, 2);
    io.value(s.ShowWaterTemp);
    io.value(s.TempUnitsC);
    io.value(s.ShowWhiteLine);
    io.value(s.ShowRangeGate);
    io.value(s.ShowGrayLine);
    io.value(s.BackgroundColor);
    io.value(s.ColorScale, 0, 4);
    io.value(s.TempCalibration);
    io.value(s.AScopeThreshold, 0, 255);
    for (Channel c : kChannels)
        VisitSettingsChannel(s.channel(c), io);
    io.value(s.UserColors);
    io.value(s.NmeaPort, 0, kPortNotChosen);
    io.value(s.NmeaOutputOn);
    io.value(s.KeelOffset);
    io.value(s.ShallowAlarmValue);
    io.value(s.ShallowAlarmOn);
    io.value(s.DeepAlarmValue);
    io.value(s.DeepAlarmOn);
    io.value(s.FishAlarmShallow);
    io.value(s.FishAlarmDeep);
    io.value(s.FishAlarmOn);
    io.value(s.DragAlarmShallow);
    io.value(s.DragAlarmDeep);
    io.value(s.DragAlarmOn);
    io.value(s.FishAlarmThreshold);
    io.value(s.SoundOn);
    io.value(s.FishAlarmSearch);
    io.value(s.DepthDamping, 1, 10);
    io.value(s.DisplayThreshold, 0, 255);
    io.value(s.AutoRangeOnly);
    io.value(s.LeaveScales);
    // Files of earlier versions end before these; they then get the values given here.
    io.valueAfterVersion(3.07, s.AutoSaveMinutes, std::int16_t{10});
    io.valueAfterVersion(3.11, s.XmitTempLimit, std::uint8_t{120});
}

} // namespace vz
