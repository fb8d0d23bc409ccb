// The real serial port code against the simulated box on a pseudo-terminal.
#include "support/Poll.h"
#include "RecordingUi.h"
#include "core/StartupTables.h"
#include "link/BoxProtocol.h"
#include "link/Connection.h"
#include "link/Ports.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/QtSerialPort.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace vz::test {
namespace {

// One simulated box on its own pty, reachable as COM `com` while it runs.
class Ifbsim {
public:
    Ifbsim(const QTemporaryDir& dir, int com, QStringList options)
        : link_(dir.filePath(QString("COM%1").arg(com))), log_(link_ + ".log"), com_(com) {
        process_.start(VZ_IFBSIM_PATH, QStringList{"--link", link_, "--log", log_} + options);
        running_ = process_.waitForStarted(5000) &&
                   test::PollUntil(5.0, [this] { return QFileInfo::exists(link_); });
        qputenv(envName(), link_.toLocal8Bit());
    }
    ~Ifbsim() {
        qunsetenv(envName());
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished(3000);
    }
    bool running() const { return running_; }
    bool exited() { return process_.state() == QProcess::NotRunning; }

    // The frames the box received, as it logs them ("W 03 05", "Q 41").
    QStringList log() const {
        QFile f(log_);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
        return QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    // Waits until the box has logged `count` frames.
    QStringList logOf(int count) const {
        test::PollUntil(2.0, [&] { return log().size() >= count; });
        return log();
    }

private:
    QByteArray envName() const { return QString("VODAZUZOVI_COM%1").arg(com_).toLatin1(); }

    QString link_, log_;
    int com_;
    QProcess process_;
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

class PtyLinkTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        setSerialPorts(&box, &gps, &nmea);
        BuildStartupTables();
        s.SoundSpeed = 0.0024755f;
    }
    void TearDown() override {
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        box.close();
        Fixture::TearDown();
    }
    void openBox(int com) {
        s.IfbPort = static_cast<std::uint8_t>(com);
        OpenIfbPort();
        ASSERT_TRUE(box.isOpen());
    }
    void answerPlaybackQuestions() {
        dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\I6120921.05I");
    }

    QTemporaryDir dir;
    QtSerialPort box;
    FakeSerialPort gps, nmea;
    ScriptedDialogs dialogs;
    RecordingUi ui;
};

TEST_F(PtyLinkTest, FramesReachTheBoxIntactAndItsRepliesComeBack) {
    Ifbsim sim(dir, 1, {"--fast", "--firmware", "10"});
    ASSERT_TRUE(sim.running());
    openBox(1);
    EXPECT_TRUE(SendCommand(3, 5));
    EXPECT_EQ(QueryRegister(65), std::optional<std::uint8_t>(10));
    EXPECT_EQ(sim.logOf(2), (QStringList{"W 03 05", "Q 41"}));
    EXPECT_EQ(s.CommRetryCount, 0);
}

TEST_F(PtyLinkTest, DroppedAcknowledgementsAreRetriedAndCounted) {
    {
        Ifbsim sim(dir, 1, {"--fast", "--drop-acks", "1"});
        ASSERT_TRUE(sim.running());
        openBox(1);
        EXPECT_FALSE(SendCommand(7, 200));
        EXPECT_EQ(s.CommRetryCount, 4);
        EXPECT_EQ(sim.logOf(4), QStringList(4, "W 07 C8"));
        box.close();
    }
    Ifbsim sim(dir, 1, {"--fast", "--drop-acks", "0.5", "--seed", "7"});
    ASSERT_TRUE(sim.running());
    openBox(1);
    s.CommRetryCount = 0;
    int acknowledged = 0;
    for (int reg = 1; reg <= 15; ++reg) acknowledged += SendCommand(static_cast<std::uint8_t>(reg), 9);
    // Every frame on the wire is either acknowledged or counted as a retry.
    EXPECT_GT(s.CommRetryCount, 0);
    EXPECT_EQ(sim.logOf(acknowledged + s.CommRetryCount).size(), acknowledged + s.CommRetryCount);
}

TEST_F(PtyLinkTest, ConnectionFollowsTheFirmwareVersion) {
    struct Case {
        const char* firmware;
        int extraBytes;
        int packetLength;
    };
    for (const Case c : {Case{"9", 0, 20}, Case{"10", 3, 23}}) {
        SCOPED_TRACE(c.firmware);
        Ifbsim sim(dir, 2, {"--fast", "--firmware", c.firmware, "--serial", "12345200"});
        ASSERT_TRUE(sim.running());
        openBox(2);
        ConnectInterfaceBox();
        EXPECT_EQ(s.IfbFirmwareVersion, std::stoi(c.firmware));
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

TEST_F(PtyLinkTest, ConnectionAtWireSpeed) {
    Ifbsim sim(dir, 1, {"--firmware", "10", "--serial", "7000250"});
    ASSERT_TRUE(sim.running());
    openBox(1);
    ConnectInterfaceBox();
    EXPECT_EQ(s.PacketLength, 23);
    EXPECT_EQ(s.IfbSerialNumber, 7000250.0);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(PtyLinkTest, SilentBoxLeadsToTheConnectionDialog) {
    Ifbsim silent(dir, 1, {"--fast", "--silent-after", "0"});
    Ifbsim answering(dir, 4, {"--fast"});
    ASSERT_TRUE(silent.running() && answering.running());
    openBox(1);
    dialogs.answerInput("4");
    ConnectInterfaceBox();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.substr(0, 69),
              "Error encountered trying to communicate with Interface Box on COM1.\r\n");
    EXPECT_EQ(silent.log().count("W 00 00"), 12); // three attempts of four frames
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

TEST_F(PtyLinkTest, WaterTemperatureStartsAtTheFirstReadingThenMovesATwentieth) {
    Ifbsim sim(dir, 1, {"--fast", "--water-temp", "50", "--temp-drift", "0"});
    ASSERT_TRUE(sim.running());
    openBox(1);
    ReadWaterTemp();
    EXPECT_NEAR(s.WaterTemperature, 50.0f, 0.011f);
    const float first = s.WaterTemperature;
    s.WaterTemperature = 70.0f;
    ReadWaterTemp();
    EXPECT_FLOAT_EQ(s.WaterTemperature, (70.0f * 19.0f + first) / 20.0f);
}

TEST_F(PtyLinkTest, FloodBeyondTheBufferIsDroppedAndTheNextReplyStartsClean) {
    Ifbsim sim(dir, 1, {"--fast", "--flood", "1", "--flood-bytes", "33000"});
    ASSERT_TRUE(sim.running());
    openBox(1);
    for (const auto& [reg, value] : {std::pair{1, 1}, {2, 1}, {8, 0}, {9, 10}}) {
        SendCommand(static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value));
    }
    SendCommand(0, 1);
    WaitUntil(5.0, [this] { return s.RxCount + s.RxOverflowCount >= 33000; });
    WaitSeconds(0.2); // anything still on its way
    EXPECT_EQ(s.RxCount, kRxBufferLast);
    EXPECT_EQ(s.RxCount + s.RxOverflowCount, 33000);
    EXPECT_TRUE(SendCommand(4, 4));
    EXPECT_EQ(s.RxCount, 1);
    EXPECT_EQ(s.RxBuffer[1], 6);
}

TEST_F(PtyLinkTest, ComNumberWithoutADeviceBringsUpThePortDialogs) {
    Ifbsim sim(dir, 2, {"--fast"});
    ASSERT_TRUE(sim.running());
    qputenv("VODAZUZOVI_COM7", "/nonexistent");
    s.IfbPort = 7;
    dialogs.answerInput("2");
    OpenIfbPort();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.substr(0, 46), "Error encountered while trying to open COM7.\r\n");
    EXPECT_TRUE(box.isOpen());

    QtSerialPort gpsPort;
    setSerialPorts(nullptr, &gpsPort, nullptr);
    s.GpsPort = 7;
    dialogs.answerInput("0");
    OpenGpsPort();
    EXPECT_EQ(dialogs.shown().back().title, "GPS Communications Error");
    EXPECT_EQ(s.GpsPort, 0);
    setSerialPorts(nullptr, &gps, nullptr);
    qunsetenv("VODAZUZOVI_COM7");
}

TEST_F(PtyLinkTest, VanishingPortIsReportedAndNothingWaitsForIt) {
    Ifbsim sim(dir, 1, {"--fast", "--vanish-after", "2"});
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
