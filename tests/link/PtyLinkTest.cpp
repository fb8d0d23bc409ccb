// The real serial port code against the simulated box on a pseudo-terminal.
#include "LinkFixture.h"
#include "../tools/SimHarness.h"
#include "core/StartupTables.h"
#include "link/BoxProtocol.h"
#include "link/Connection.h"
#include "link/Ports.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/QtSerialPort.h"
#include "support/Poll.h"

#include <QFile>
#include <QTemporaryDir>

// The simulator's own test harness starts and stops the simulated boxes here too.
#include "../tools/SimHarness.cpp"

namespace vz::test {
namespace {

// One simulated box on its own pty, reachable as COM `com` while it runs, logging its frames.
class BoxSim {
public:
    BoxSim(const QTemporaryDir& dir, int com, ifbsimtest::Args options)
        : log_(dir.filePath(QString("COM%1.log").arg(com))), env_("VODAZUZOVI_COM" + std::to_string(com)),
          sim_(withLog(std::move(options), log_.toStdString())) {
        running_ = sim_.ready();
        sim_.closePort();
        qputenv(env_.c_str(), QByteArray::fromStdString(sim_.devicePath()));
    }
    ~BoxSim() { qunsetenv(env_.c_str()); }
    bool running() const { return running_; }
    // The frames the box received, as it logs them ("W 03 05", "Q 41"), once it has `count`.
    QStringList log(int count = 0) const {
        QStringList lines;
        PollUntil(count ? 2.0 : 0.0, [&] {
            QFile f(log_);
            lines = f.open(QIODevice::ReadOnly | QIODevice::Text)
                        ? QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList{};
            return lines.size() >= count;
        });
        return lines;
    }

private:
    static ifbsimtest::Args withLog(ifbsimtest::Args a, const std::string& log) {
        a.insert(a.end(), {"--log", log});
        return a;
    }
    QString log_;
    std::string env_;
    ifbsimtest::SimProcess sim_;
    bool running_ = false;
};

TEST(LineSettingsTest, SettingsStringsAreTakenApart) {
    const auto box = ParseLineSettings("115200,n,8,1");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->baud, 115200);
    EXPECT_EQ(box->parity, QSerialPort::NoParity);
    EXPECT_EQ(box->dataBits, QSerialPort::Data8);
    EXPECT_EQ(box->stopBits, QSerialPort::OneStop);
    const auto other = ParseLineSettings("9600,E,7,2");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->parity, QSerialPort::EvenParity);
    EXPECT_EQ(other->dataBits, QSerialPort::Data7);
    EXPECT_EQ(other->stopBits, QSerialPort::TwoStop);
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
        BuildStartupTables();
        s.SoundSpeed = 0.0024755f;
    }
    void TearDown() override {
        box.close();
        LinkFixture::TearDown();
    }
    void openBox(int com) {
        s.IfbPort = static_cast<std::uint8_t>(com);
        OpenIfbPort();
        ASSERT_TRUE(box.isOpen());
    }

    QTemporaryDir dir;
    QtSerialPort box;
};

TEST_F(PtyLinkTest, DroppedAcknowledgementsAreRetriedAndCounted) {
    BoxSim sim(dir, 1, {"--fast", "--drop-acks", "0.5", "--seed", "7"});
    ASSERT_TRUE(sim.running());
    openBox(1);
    int acknowledged = 0;
    for (int reg = 1; reg <= 15; ++reg) acknowledged += SendCommand(static_cast<std::uint8_t>(reg), 9);
    // Every frame on the wire is either acknowledged or counted as a retry.
    EXPECT_GT(s.CommRetryCount, 0);
    EXPECT_EQ(sim.log(acknowledged + s.CommRetryCount).size(), acknowledged + s.CommRetryCount);
}

TEST_F(PtyLinkTest, ConnectionFollowsTheFirmwareVersion) {
    struct Case {
        ifbsimtest::Args options;
        int firmware, extraBytes, packetLength;
    };
    const Case cases[] = {{{"--fast", "--firmware", "9", "--serial", "12345200"}, 9, 0, 20},
                          {{"--fast", "--firmware", "10", "--serial", "12345200"}, 10, 3, 23},
                          {{"--firmware", "10", "--serial", "12345200"}, 10, 3, 23}}; // at wire speed
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.size());
        BoxSim sim(dir, 2, c.options);
        ASSERT_TRUE(sim.running());
        openBox(2);
        ConnectInterfaceBox();
        EXPECT_EQ(s.IfbFirmwareVersion, c.firmware);
        EXPECT_EQ(s.TrailerExtraBytes, c.extraBytes);
        EXPECT_EQ(s.PacketLength, c.packetLength);
        EXPECT_EQ(s.IfbSerialNumber, 12345200.0);
        EXPECT_GT(s.SampleInterval, 0.0f);
        EXPECT_TRUE(timers().tmrMainTimer1.enabled());
        EXPECT_EQ(sim.log().mid(0, 4), (QStringList{"Q 00", "Q 41", "W 00 00", "W 00 FC"}));
        box.close();
    }
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(PtyLinkTest, SilentBoxLeadsToTheConnectionDialog) {
    BoxSim silent(dir, 1, {"--fast", "--silent-after", "0"});
    BoxSim answering(dir, 4, {"--fast"});
    ASSERT_TRUE(silent.running() && answering.running());
    openBox(1);
    dialogs.answerInput("4");
    ConnectInterfaceBox();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Communications Error");
    EXPECT_EQ(dialogs.shown()[0].text,
              "Error encountered trying to communicate with Interface Box on COM1.\r\n\r\nPlease check data "
              "and power connections and/or\r\nenter a different COM port number(1-16).\r\n\r\nEnter '0' to go "
              "into Playback mode.\r\n\r\nClick CANCEL to Quit");
    EXPECT_EQ(dialogs.shown()[0].defaultAnswer, "0");
    EXPECT_EQ(silent.log().count("W 00 00"), 12); // three attempts of four frames
    EXPECT_EQ(silent.log().filter("Q ").size(), 6);
    EXPECT_EQ(s.IfbPort, 4);
    EXPECT_EQ(s.PacketLength, 23);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    box.close();

    openBox(1);
    dialogs.answerInput("0");
    answerPlaybackQuestions();
    ConnectInterfaceBox();
    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_EQ(s.IfbPort, 0);
}

TEST_F(PtyLinkTest, FloodBeyondTheBufferIsDroppedAndTheNextReplyStartsClean) {
    BoxSim sim(dir, 1, {"--fast", "--flood", "1", "--flood-bytes", "33000"});
    ASSERT_TRUE(sim.running());
    openBox(1);
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

TEST_F(PtyLinkTest, ComNumberWithoutADeviceBringsUpThePortDialogs) {
    BoxSim sim(dir, 2, {"--fast"});
    ASSERT_TRUE(sim.running());
    qputenv("VODAZUZOVI_COM7", "/nonexistent");
    s.IfbPort = 7;
    dialogs.answerInput("2");
    OpenIfbPort();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.shown()[0].text.starts_with("Error encountered while trying to open COM7.\r\n"));
    EXPECT_TRUE(box.isOpen());

    QtSerialPort gps;
    setSerialPorts(nullptr, &gps, nullptr);
    s.GpsPort = 7;
    dialogs.answerInput("0");
    OpenGpsPort();
    EXPECT_EQ(dialogs.shown().back().title, "GPS Communications Error");
    EXPECT_EQ(s.GpsPort, 0);
    setSerialPorts(nullptr, &gpsPort, nullptr);
    qunsetenv("VODAZUZOVI_COM7");
}

TEST_F(PtyLinkTest, VanishingPortIsReportedAndNothingWaitsForIt) {
    BoxSim sim(dir, 1, {"--fast", "--vanish-after", "2"});
    ASSERT_TRUE(sim.running());
    openBox(1);
    ConnectInterfaceBox(); // the test ping is the first ping
    EXPECT_EQ(s.PacketLength, 23);
    SendCommand(0, 1); // the box goes away after answering this one
    EXPECT_TRUE(WaitUntil(3.0, [this] { return s.IfbPortLost; }));
    EXPECT_FALSE(box.isOpen());
    EXPECT_GT(s.CommErrorCount, 10);

    s.CommErrorCount = 0;
    const double start = clock().monotonicSeconds();
    SendFullSettings();
    ReadWaterTemp();
    EXPECT_LT(clock().monotonicSeconds() - start, 0.1);
    EXPECT_GT(s.CommErrorCount, 10); // every command asks for the prompt again

    // The device is gone: reopening it fails and the user is asked.
    dialogs.answerInput("0");
    answerPlaybackQuestions();
    OpenIfbPort();
    EXPECT_TRUE(s.PlaybackMode);
}

} // namespace
} // namespace vz::test
