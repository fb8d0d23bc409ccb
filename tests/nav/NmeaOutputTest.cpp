// The once-a-second NMEA output: what is sent, when, and on which port; and its menu switch.
#include "nav/GpsInput.h"
#include "nav/NmeaMenu.h"
#include "nav/NmeaOutput.h"
#include "support/FakeClock.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"

#include <string>

namespace vz::test {
namespace {

const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

class NmeaOutput : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        setSerialPorts(nullptr, &gps, &nmea);
        gps.open(2, "4800,n,8,1", {});
        nmea.open(3, "4800,n,8,1", {});
        s.GpsPort = 2;
        s.NmeaPort = 3;
        s.NmeaOutputActive = true;
        s.WaterTemperature = 68.0f;
        s.BottomDepth = 12.34f;
        s.KeelOffset = 2.0f;
        MeasureDepthNow();
    }
    void MeasureDepthNow() {
        s.BottomFound = true;
        s.BottomDepthSeconds = clock.monotonicSeconds();
    }
    std::string Sent(FakeSerialPort& port) {
        const auto& bytes = port.writtenData();
        std::string text(bytes.begin(), bytes.end());
        port.clearWritten();
        return text;
    }

    FakeClock clock;
    FakeSerialPort gps, nmea;
};

TEST_F(NmeaOutput, SendsTemperatureAndDepthOncePerRun) {
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "$SDMTW,20.00,C*36\r\n$SDDPT,3.8,0.6*5A\r\n$SDDBT,012.3,f,003.8,M,002.1,F*0E\r\n");
    EXPECT_EQ(Sent(gps), "");
    // The temperature calibration counts; the depth units decide what BottomDepth means.
    s.TempCalibration = 3.6f;
    s.DepthUnits = 1;
    s.BottomDepth = 10.0f;
    s.KeelOffset = 0.0f;
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "$SDMTW,22.00,C*34\r\n$SDDPT,10.0,0.0*66\r\n$SDDBT,032.8,f,010.0,M,005.5,F*0E\r\n");
}

TEST_F(NmeaOutput, NothingWithoutPortOrSwitchOrInPlayback) {
    s.NmeaPort = 0;
    SendNmeaSentences();
    s.NmeaPort = 3;
    s.NmeaOutputActive = false;
    SendNmeaSentences();
    s.NmeaOutputActive = true;
    s.PlaybackMode = true;
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea) + Sent(gps), "");
    s.PlaybackMode = false;
    SendNmeaSentences();
    EXPECT_NE(Sent(nmea), "");
}

TEST_F(NmeaOutput, SharedGpsPortCarriesEverything) {
    s.NmeaPort = 2;
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "");
    EXPECT_EQ(Sent(gps).substr(0, 17), "$SDMTW,20.00,C*36");
}

TEST_F(NmeaOutput, ForwardsTheReceivedRmcFirstAndUnchanged) {
    InstallGpsReceiver();
    const std::string gnrmc = "$GNRMC,001225.00,A,2447.0949,N,12100.5213,E,0.3,,161229,,,A*60";
    gps.feedReceived(std::vector<std::uint8_t>(gnrmc.begin(), gnrmc.end()));
    gps.feedReceived({'\r', '\n'});
    ParseGpsSentence();
    ASSERT_TRUE(s.RmcForward);
    SendNmeaSentences();
    const std::string first = Sent(nmea);
    SendNmeaSentences();
    const std::string second = Sent(nmea);
    EXPECT_EQ(first.substr(0, gnrmc.size() + 2), gnrmc + "\r\n");
    EXPECT_EQ(first.substr(gnrmc.size() + 2, 7), "$SDMTW,");
    // The same sentence is repeated while no new GPS bytes arrive.
    EXPECT_EQ(second, first);
}

TEST_F(NmeaOutput, SendsOnlyMeasurements) {
    // Before the first temperature reading and the first depth, nothing at all.
    s.WaterTemperature = kNoWaterTemperature;
    s.BottomDepthSeconds = -1.0;
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "");

    s.WaterTemperature = 50.0f;
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "$SDMTW,10.00,C*35\r\n");

    MeasureDepthNow();
    clock.advance(kDepthFreshSeconds);
    SendNmeaSentences();
    EXPECT_NE(Sent(nmea).find("$SDDBT"), std::string::npos);
    // No reply processed for longer: the depth is no longer sent, the temperature still is.
    clock.advance(0.5);
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "$SDMTW,10.00,C*35\r\n");
    // A column without a bottom stops the depth at once, however fresh the last one is.
    MeasureDepthNow();
    s.BottomFound = false;
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "$SDMTW,10.00,C*35\r\n");
}

TEST_F(NmeaOutput, BlankedRmcLeavesNoEmptyLine) {
    s.RmcForward = true;
    s.LastRmcSentence = kRmc;
    EXPECT_EQ(NmeaOutputText().substr(0, kRmc.size() + 9), kRmc + "\r\n$SDMTW,");
    s.LastRmcSentence.clear(); // ten seconds without GPS data
    EXPECT_EQ(NmeaOutputText().substr(0, 7), "$SDMTW,");
}

TEST_F(NmeaOutput, DepthIsInTheDisplayUnitsWithOrWithoutTheRangeGate) {
    s.DepthUnits = 1;
    s.KeelOffset = 0.0f;
    s.BottomDepth = 10.0f;
    for (std::int16_t gate : {0, 1}) {
        s.ShowRangeGate = gate;
        EXPECT_NE(NmeaOutputText().find("$SDDBT,032.8,f,010.0,M,005.5,F*0E"), std::string::npos) << gate;
    }
}

TEST_F(NmeaOutput, MenuSwitchTogglesAndIsSaved) {
    s.NmeaOutputActive = false;
    s.NmeaOutputOn = 0;
    mnuOptionsNmeaSerialOutput_Click();
    EXPECT_TRUE(s.NmeaOutputActive);
    EXPECT_EQ(s.NmeaOutputOn, 1);
    EXPECT_EQ(s.SettingsChanged, 1);
    SendNmeaSentences();
    EXPECT_NE(Sent(nmea), "");
    mnuOptionsNmeaSerialOutput_Click();
    EXPECT_FALSE(s.NmeaOutputActive);
    EXPECT_EQ(s.NmeaOutputOn, 0);
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "");
}

} // namespace
} // namespace vz::test
