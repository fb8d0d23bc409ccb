// The real serial port code against the simulated box on a pseudo-terminal.
#include "LinkFixture.h"
#include "../tools/SimHarness.h"
#include "link/BoxProtocol.h"
#include "link/Connection.h"
#include "link/Ports.h"
#include "platform/Events.h"
#include "platform/QtSerialPort.h"
#include "support/Poll.h"

#include <QFile>
#include <QTemporaryDir>

#include <optional>

// The simulator's own test harness starts and stops the simulated boxes here too.
#include "../tools/SimHarness.cpp"

namespace vz::test {
namespace {

TEST(LineSettingsTest, SettingsStringsAreTakenApart) {
    struct Case {
        const char* text;
        int baud;
        QSerialPort::Parity parity;
        QSerialPort::DataBits dataBits;
        QSerialPort::StopBits stopBits;
    };
    for (const Case& c : {Case{"115200,n,8,1", 115200, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop},
                          Case{"9600,E,7,2", 9600, QSerialPort::EvenParity, QSerialPort::Data7, QSerialPort::TwoStop}}) {
        const auto got = ParseLineSettings(c.text);
        ASSERT_TRUE(got) << c.text;
        EXPECT_EQ(std::tuple(got->baud, got->parity, got->dataBits, got->stopBits),
                  std::tuple(c.baud, c.parity, c.dataBits, c.stopBits)) << c.text;
    }
    for (const char* bad : {"115200,x,8,1", "fast,n,8,1", "4800,n,9,1", "4800,n,8", "4800,n,8,3"}) {
        EXPECT_FALSE(ParseLineSettings(bad)) << bad;
    }
}

class PtyLinkTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        setSerialPorts(&box, &gpsPort, &nmeaPort);
    }
    void TearDown() override {
        box.close();
        sim.reset();
        qunsetenv("VODAZUZOVI_COM1");
        LinkFixture::TearDown();
    }
    // Starts the simulated box on its own pty as COM1, logging the frames it receives, and opens
    // the port to it. False when either fails.
    bool startBox(ifbsimtest::Args args) {
        args.insert(args.end(), {"--log", log.toStdString()});
        sim.emplace(args);
        if (!sim->ready()) return false;
        sim->closePort();
        qputenv("VODAZUZOVI_COM1", QByteArray::fromStdString(sim->devicePath()));
        s.IfbPort = 1;
        OpenIfbPort();
        return box.isOpen();
    }
    // The frames the box logged ("W 03 05", "Q 41"), once there are `count`.
    qsizetype logLines(qsizetype count) const {
        QStringList lines;
        PollUntil(2.0, [&] {
            QFile f(log);
            if (f.open(QIODevice::ReadOnly))
                lines = QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
            return lines.size() >= count;
        });
        return lines.size();
    }

    QTemporaryDir dir;
    QString log = dir.filePath("COM1.log");
    std::optional<ifbsimtest::SimProcess> sim;
    QtSerialPort box;
};

TEST_F(PtyLinkTest, DroppedAcknowledgementsAreRetriedAndCounted) {
    ASSERT_TRUE(startBox({"--fast", "--drop-acks", "0.5", "--seed", "7"}));
    int acknowledged = 0;
    for (int reg = 1; reg <= 15; ++reg) acknowledged += SendCommand(static_cast<std::uint8_t>(reg), 9);
    // Every frame on the wire is either acknowledged or counted as a retry.
    EXPECT_GT(s.CommRetryCount, 0);
    EXPECT_EQ(logLines(acknowledged + s.CommRetryCount), acknowledged + s.CommRetryCount);
}

TEST_F(PtyLinkTest, FloodBeyondTheBufferIsDroppedAndTheNextReplyStartsClean) {
    ASSERT_TRUE(startBox({"--fast", "--flood", "1", "--flood-bytes", "33000"}));
    for (const auto& [reg, value] : {std::pair{1, 1}, {2, 1}, {8, 0}, {9, 10}, {0, 1}}) {
        SendCommand(static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value));
    }
    WaitUntil(5.0, [this] { return s.RxCount + s.RxOverflowCount >= 33000; });
    WaitSeconds(0.2); // anything still on its way
    EXPECT_EQ(s.RxCount, kRxBufferLast);
    EXPECT_EQ(s.RxCount + s.RxOverflowCount, 33000);
    EXPECT_TRUE(SendCommand(4, 4));
    EXPECT_EQ(s.RxCount, 1);
    EXPECT_EQ(s.RxBuffer[1], 6);
}

TEST_F(PtyLinkTest, VanishingPortIsReportedAndNothingWaitsForIt) {
    ASSERT_TRUE(startBox({"--vanish-after", "2"})); // at wire speed
    ConnectInterfaceBox(); // the test ping is the first ping
    EXPECT_EQ(s.PacketLength, 23);
    EXPECT_EQ(s.IfbSerialNumber, 1234123.0);
    EXPECT_TRUE(dialogs.shown().empty());
    SendCommand(0, 1); // the box goes away after answering this one
    EXPECT_TRUE(WaitUntil(3.0, [this] { return s.IfbPortLost; }));
    EXPECT_FALSE(box.isOpen());
    EXPECT_GT(s.CommErrorCount, 10);
    ASSERT_FALSE(ui.indicator.empty());
    EXPECT_FALSE(ui.indicator.back());

    s.CommErrorCount = 0;
    SendFullSettings();
    ReadWaterTemp();
    EXPECT_GT(s.CommErrorCount, 10); // every command asks for the prompt again

    // The device is gone: reopening it fails and the user is asked.
    dialogs.answerInput("0");
    answerPlaybackQuestions();
    OpenIfbPort();
    EXPECT_TRUE(s.PlaybackMode);
}

} // namespace
} // namespace vz::test
