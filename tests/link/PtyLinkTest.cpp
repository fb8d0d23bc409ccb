// The real serial port code against the simulated box on a pseudo-terminal.
#include "LinkFixture.h"
#include "../tools/SimHarness.h"
#include "core/StartupTables.h"
#include "link/BoxProtocol.h"
#include "link/Connection.h"
#include "link/Ports.h"
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

TEST_F(PtyLinkTest, VanishingPortIsReportedAndNothingWaitsForIt) {
    BoxSim sim(dir, 1, {"--vanish-after", "2"}); // at wire speed
    ASSERT_TRUE(sim.running());
    openBox(1);
    ConnectInterfaceBox(); // the test ping is the first ping
    EXPECT_EQ(s.PacketLength, 23);
    EXPECT_EQ(s.IfbSerialNumber, 1234123.0);
    EXPECT_TRUE(dialogs.shown().empty());
    SendCommand(0, 1); // the box goes away after answering this one
    EXPECT_TRUE(WaitUntil(3.0, [this] { return s.IfbPortLost; }));
    EXPECT_FALSE(box.isOpen());
    EXPECT_GT(s.CommErrorCount, 10);

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
