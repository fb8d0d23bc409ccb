#include "core/Defaults.h"

#include "support/Fixture.h"

namespace vz::test {
namespace {

using Defaults = Fixture;

TEST_F(Defaults, FactorySettings) {
    s.ChartSpeed = 2;
    s.XmitPower = 7;
    s.DepthUnits = 2;
    s.AutoRangeOnly = 0;
    s.AutoSaveMinutes = 99;
    s.Right.AnalogGain = 1;
    LoadDefaultsIntoRam();
    EXPECT_EQ(s.SettingsHeader,
              "Marvek - Default values file - Do not make any changes to this file");
    EXPECT_EQ(s.SettingsTitle, "Tarvik Vosk Fish Finder Ver:");
    EXPECT_EQ(s.SettingsNotice.substr(0, 3), " - ");
    EXPECT_EQ(s.SettingsNotice.find(','), std::string::npos); // would end line 2 early
    EXPECT_EQ(s.ChartSpeed, 8);
    EXPECT_EQ(s.XmitPower, 50);
    EXPECT_EQ(s.DepthUnits, 0);
    EXPECT_EQ(s.AutoRangeOnly, 1);
    EXPECT_EQ(s.AutoSaveMinutes, 10);
    EXPECT_EQ(s.BackgroundColor, (Rgb{0, 0, 255}));
    const ChannelSettings full{0, 1, 0, 4, 1, 3, 242, 110, 245, 4, 1, 1};
    EXPECT_EQ(s.Full, full);
    EXPECT_EQ(s.Left, full);
    EXPECT_EQ(s.Right, (ChannelSettings{1, 0, 0, 4, 1, 3, 242, 110, 245, 4, 1, 1}));
    EXPECT_EQ(factoryChannel(Channel::Right), s.Right);
}

TEST_F(Defaults, SoundSpeedIsSetOnlyWhenZero) {
    LoadDefaultsIntoRam();
    EXPECT_EQ(s.SoundSpeed, 0.0024755f);
    s.SoundSpeed = 0.00244f;
    LoadDefaultsIntoRam();
    EXPECT_EQ(s.SoundSpeed, 0.00244f);
}

TEST_F(Defaults, UserColorsAreFilledOnlyWhileUndefined) {
    LoadDefaultsIntoRam();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.UserColors[i], s.BackgroundColor) << i;
    EXPECT_EQ(s.UserColors[4], (Rgb{0, 0, 0}));
    EXPECT_EQ(s.UserColors[6], (Rgb{0, 128, 128}));
    EXPECT_EQ(s.UserColors[14], (Rgb{255, 128, 64}));
    EXPECT_EQ(s.UserColors[15], (Rgb{255, 0, 0}));
    EXPECT_EQ(s.UserColors[16], Rgb{});

    std::array<Rgb, 17> own{};
    for (std::size_t i = 0; i < own.size(); ++i)
        own[i] = Rgb::fromLong(70 * i + 3);
    s.UserColors = own;
    LoadDefaultsIntoRam();
    EXPECT_EQ(s.UserColors, own);
}

TEST_F(Defaults, LeavesPortsAlarmsAndCalibrationAlone) {
    s.IfbPort = 3;
    s.GpsPort = 0;
    s.NmeaPort = 17;
    s.ShallowAlarmValue = 7.5f;
    s.DeepAlarmOn = 1;
    s.FishAlarmThreshold = 9;
    s.KeelOffset = 2.25f;
    s.DepthDamping = 8;
    s.XmitTempLimit = 100;
    s.TempCalibration = -1.5f;
    s.SettingsChanged = 0;
    LoadDefaultsIntoRam();
    EXPECT_EQ(s.IfbPort, 3);
    EXPECT_EQ(s.GpsPort, 0);
    EXPECT_EQ(s.NmeaPort, 17);
    EXPECT_EQ(s.ShallowAlarmValue, 7.5f);
    EXPECT_EQ(s.DeepAlarmOn, 1);
    EXPECT_EQ(s.FishAlarmThreshold, 9);
    EXPECT_EQ(s.KeelOffset, 2.25f);
    EXPECT_EQ(s.DepthDamping, 8);
    EXPECT_EQ(s.XmitTempLimit, 100);
    EXPECT_EQ(s.TempCalibration, -1.5f);
    EXPECT_EQ(s.SettingsChanged, 0);
}

} // namespace
} // namespace vz::test
