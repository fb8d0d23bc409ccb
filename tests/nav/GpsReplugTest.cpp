// A GPS adapter unplugged and plugged in again under another device number: the program finds it
// by its stable name, blanks the read-outs meanwhile and reopens it without being asked.
#include "NavProcesses.h"
#include "core/Timers.h"
#include "link/Ports.h"
#include "nav/GpsInput.h"
#include "platform/QtSerialPort.h"
#include "platform/SerialDevices.h"
#include "support/Fixture.h"
#include "support/Poll.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace vz::test {
namespace {

class GpsReplug : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.filePath("by-id"));
        setSerialPorts(nullptr, &gpsPort, nullptr);
    }
    void TearDown() override {
        gpsPort.close();
        Fixture::TearDown();
    }
    // Starts gpssim and points the adapter's by-id name at its pty, as udev does on a plug-in.
    void PlugIn(const char* link) {
        sim.emplace(QStringList{"--link", dir.filePath(link)}, QStringList{dir.filePath(link)});
        ASSERT_TRUE(sim->ready());
        QFile::remove(byId());
        ASSERT_TRUE(QFile::link(QFileInfo(dir.filePath(link)).canonicalFilePath(), byId()));
    }
    QString byId() const { return dir.filePath("by-id/usb-Sim_Gps_0001-if00-port0"); }
    bool PositionShown() const { return s.LatCaption.rfind("Lat: 49", 0) == 0; }

    QTemporaryDir dir;
    QtSerialPort gpsPort;
    std::optional<GpsSim> sim;
};

TEST_F(GpsReplug, ByIdNameFindsTheAdapterAgainAndReadOutsComeBack) {
    PlugIn("pty-a");
    const std::string stable =
        StableDeviceName(dir.filePath("pty-a").toStdString(), dir.filePath("by-id").toStdString());
    ASSERT_EQ(stable, byId().toStdString());
    ASSERT_TRUE(setComDevicePath(2, stable));

    s.GpsPort = 2;
    OpenGpsPort();
    ASSERT_TRUE(gpsPort.isOpen());
    InstallGpsReceiver();
    timers().tmrGpsTimer.onTick(ParseGpsSentence);
    timers().tmrGpsTimer.setEnabled(true);
    ASSERT_TRUE(PollUntil(10.0, [&] { return PositionShown(); })) << s.LatCaption;

    sim.reset();
    ASSERT_TRUE(
        PollUntil(5.0, [&] { return !gpsPort.isOpen() && timers().tmrPortRetry.enabled(); }));
    // Ten runs of the GPS timer without a sentence blank the read-outs.
    timers().tmrGpsTimer.setEnabled(false);
    for (int run = 0; run < 11; ++run)
        ParseGpsSentence();
    EXPECT_EQ(s.LatCaption, "- - - - -");

    PlugIn("pty-b");
    timers().tmrGpsTimer.setEnabled(true);
    EXPECT_TRUE(PollUntil(15.0, [&] { return PositionShown(); })) << s.LatCaption;
    EXPECT_TRUE(gpsPort.isOpen());
    EXPECT_TRUE(PollUntil(5.0, [] { return !timers().tmrPortRetry.enabled(); }));
}

} // namespace
} // namespace vz::test
