// Opening the three ports and asking for others when they fail; the names of serial devices, the
// port window's list and the reason a port that cannot be opened gives.
#include "LinkFixture.h"
#include "link/Ports.h"
#include "link/frmComms.h"
#include "platform/Paths.h"
#include "platform/QtSerialPort.h"
#include "platform/SerialDevices.h"
#include "platform/SerialOpenFailure.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>

namespace vz::test {
namespace {

using PortsTest = LinkFixture;

TEST_F(PortsTest, BoxPortErrorAsksForAnotherPortUntilAUsableNumberPlaybackOrCancel) {
    struct Case {
        const char* what;
        std::uint8_t first;
        int opensOn; // 0: no COM number opens
        std::vector<std::string> answers;
        std::uint8_t port;
        bool playback, ending;
        int opens;
        bool lostWhileSettling = false; // counts as an open error
    };
    const Case cases[] = {
        {"17 is no port, 4.5 rounds to the even neighbour", 12, 4, {"17", "4.5 or so"}, 4, false, false, 2},
        {"0 plays back; None chosen at the first run is not opened", 0, 0, {"0"}, 0, true, false, 0},
        {"Cancel ends the program", 2, 0, {""}, 2, false, true, 1},
        {"lost while it settles, then reopened", 3, 3, {"3"}, 3, false, false, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetState();
        port.close();
        const int opensAtStart = port.openCount();
        s.IfbPort = c.first;
        port.openOnlyOn(c.opensOn);
        for (const std::string& a : c.answers) dialogs.answerInput(a);
        if (c.playback) answerPlaybackQuestions();
        if (c.lostWhileSettling) QTimer::singleShot(200, [this] { port.vanish(); });
        const std::size_t shownBefore = dialogs.shown().size();
        OpenIfbPort();
        const ShownDialog& d = dialogs.shown().at(shownBefore);
        EXPECT_EQ(d.defaultAnswer, "0");
        EXPECT_TRUE(d.text.starts_with("Error encountered while trying to open COM" + std::to_string(c.first) + ".\r\nP"));
        EXPECT_EQ(s.IfbPort, c.port);
        EXPECT_EQ(s.PlaybackMode, c.playback);
        EXPECT_EQ(s.ProgramEnding, c.ending);
        EXPECT_EQ(port.openCount() - opensAtStart, c.opens);
        EXPECT_EQ(s.SendSettings, c.opens == 2);
        if (c.opens == 2) {
            // The reopened box port runs at 115200 with RTS off, wired to the receive path.
            EXPECT_EQ(port.openedSettings(), "115200,n,8,1");
            EXPECT_FALSE(port.openedOptions().rtsOn);
            port.feedReceived({6, 1, 2});
            EXPECT_EQ(s.RxCount, 3);
            // It starts without the errors of a lost one.
            EXPECT_FALSE(s.IfbPortLost);
            EXPECT_EQ(s.CommErrorCount, 0);
            continue;
        }
        OpenIfbPort(); // nothing to do in playback or at the end
        EXPECT_EQ(port.openCount() - opensAtStart, c.opens);
    }
}

// Both ask until the answer is none (0 or Cancel) or a COM port that the box (and for the NMEA
// output, the GPS) does not use; the NMEA output goes out on the GPS port when it is the same.
TEST_F(PortsTest, GpsAndNmeaPortErrorsAskUntilAFreePortOrNone) {
    struct Case {
        void (*open)();
        std::uint8_t State::*chosen;
        FakeSerialPort* serial;
        std::vector<std::string> answers;
        int beeps; // one for each taken port answered
        std::uint8_t port;
    };
    const Case cases[] = {
        {OpenGpsPort, &State::GpsPort, &gpsPort, {"1", "8"}, 1, 8},
        {OpenGpsPort, &State::GpsPort, &gpsPort, {"17", ""}, 0, 0},
        {OpenNmeaPort, &State::NmeaPort, &nmeaPort, {"2", "1", "8"}, 2, 8},
        {OpenNmeaPort, &State::NmeaPort, &nmeaPort, {"0"}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers.back());
        ScriptedDialogs d;
        s.IfbPort = 1;
        s.GpsPort = 2;
        s.*c.chosen = 7;
        c.serial->openOnlyOn(8);
        for (const std::string& a : c.answers) d.answerInput(a);
        c.open();
        EXPECT_EQ(d.shown().size(), c.answers.size());
        EXPECT_EQ(d.beeps(), c.beeps);
        EXPECT_EQ(s.*c.chosen, c.port);
        EXPECT_EQ(c.serial->isOpen(), c.port != 0);
        if (c.port != 0) EXPECT_EQ(c.serial->openedSettings(), "4800,n,8,1");
        c.serial->close();
    }
    const int opens = nmeaPort.openCount();
    s.NmeaPort = s.GpsPort;
    OpenNmeaPort();
    EXPECT_EQ(nmeaPort.openCount(), opens);
}

TEST_F(PortsTest, BoxPromptSaysWhenTheMissingAdapterComesBackWhileItWaits) {
    struct Case {
        bool presentAtFirst, pluggedInWhileWaiting, said;
    };
    for (const Case& c : {Case{false, true, true}, Case{false, false, false}, Case{true, true, false}}) {
        QTemporaryDir dir;
        const QString adapter = dir.filePath("usb-Maker_Box_7-if00-port0");
        const auto plugIn = [&] { QFile(adapter).open(QIODevice::WriteOnly); };
        ASSERT_TRUE(setComDevicePath(6, adapter.toStdString()));
        if (c.presentAtFirst) plugIn();
        s.IfbPort = 6;
        dialogs.setWhileWaiting([&] { if (c.pluggedInWhileWaiting) plugIn(); });
        dialogs.answerInput("6");
        AskForBoxPort("Lost the box.", "");
        const std::string note = "The adapter of COM6 (" + adapter.toStdString() + ") is back: enter 6";
        EXPECT_EQ(dialogs.shown().back().text.find(note) != std::string::npos, c.said);
    }
}

// A device's stable name is the by-id entry leading to it, or its path when none does.
TEST_F(PortsTest, ListShowsMakerProductAndSerialAndAcceptingKeepsTheStableNameUnderTheComNumber) {
    QFile conf(QString::fromStdString(dataFolder() + "/ports.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("# the box\nCOM1=/dev/ttyUSB7\nCOM3=/dev/old\nCOM16=/dev/last\n");
    conf.close();
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    QFile(dir.filePath("ttyS0")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("ttyUSB0")).open(QIODevice::WriteOnly);
    QDir().mkpath(dir.filePath("by-id"));
    const QString byId = dir.filePath("by-id/usb-Maker_Gps_A1-if00-port0");
    ASSERT_TRUE(QFile::link(dir.filePath("ttyUSB0"), byId));
    const std::vector<SerialDevice> devices = {
        {path("ttyS0"), StableDeviceName(path("ttyS0"), path("by-id")), "", "", ""},
        {path("ttyUSB0"), StableDeviceName(path("ttyUSB0"), path("by-id")), "Maker", "Gps", "A1"},
    };
    EXPECT_EQ(devices[0].stableName, devices[0].path);
    // The window waits for Accept; the user picks the second device meanwhile.
    std::string labels;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* list = w->findChild<QListWidget*>("lstDevices");
            if (!list || !w->isVisible()) continue;
            for (int i = 0; i < list->count(); ++i) labels += list->item(i)->text().toStdString() + "|";
            list->setCurrentRow(1);
            w->findChild<QPushButton*>("cmdCommsAccept")->click();
        }
    });
    const int chosen = frmComms::choose("GPS", "Choose the GPS port", 0, devices);
    frmComms::hideWindow();
    EXPECT_EQ(labels, "ttyS0|ttyUSB0  Maker  Gps  A1|");
    // COM1 is the box's (option 0 disabled) and ports.conf moves it, so COM2 is proposed.
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(comDevicePath(2), byId.toStdString());
    EXPECT_EQ(comDevicePath(1), "/dev/ttyUSB7");
    EXPECT_EQ(comDevicePath(3), "/dev/old");
    EXPECT_EQ(comDevicePath(16), "/dev/last");
}

// A device that cannot be opened is looked at again to say why; the reasons by error number.
TEST_F(PortsTest, FailedOpenSaysWhy) {
    QTemporaryDir dir;
    qputenv("VODAZUZOVI_COM5", dir.filePath("missing").toUtf8());
    QtSerialPort serial;
    EXPECT_FALSE(serial.open(5, "4800,n,8,1", {}));
    EXPECT_NE(serial.openFailure().find("no such device"), std::string::npos)
        << serial.openFailure();
    qunsetenv("VODAZUZOVI_COM5");
    EXPECT_NE(OpenFailureReason(EBUSY, "/dev/ttyUSB0").find("busy"), std::string::npos);
    EXPECT_NE(OpenFailureReason(EACCES, "/dev/ttyUSB0").find("dialout"), std::string::npos);
}

} // namespace
} // namespace vz::test
