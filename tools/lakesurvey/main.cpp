// lakesurvey: a recording of a survey of the simulated lake, made by the program's own code: the
// channel blocks, reply decoding, bottom tracking and automatic range on ifbsim --lake's replies
// (through its --stdio mode, as trackacc drives it), the GPS read-outs from RMC sentences of the
// same survey through the program's GPS parser, and every line written by the program's
// recorder, in the order the ping cycle and the acquisition tick write them. Simulated time runs
// --ping-dt a ping, so an hour's survey takes a minute or two. See --help.
#include "SimProcess.h"
#include "core/Defaults.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "logging/Recording.h"
#include "nav/GpsInput.h"
#include "platform/Clock.h"
#include "processing/BottomTracking.h"
#include "processing/ChannelBlocks.h"
#include "processing/DecodePing.h"
#include "rmc.h"
#include "survey.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace vz;

namespace {

const char* kHelp = R"(lakesurvey - a recording of a survey of the simulated lake, by the program's own code

Usage: lakesurvey --out DIR [options]

  --out DIR          the recording is written into DIR (as the program's data folder)
  --lake SEED        the lake and its survey (default 1), as ifbsim --lake and gpssim --lake
  --minutes M        length of the survey in simulated minutes (default 60)
  --ping-dt S        simulated seconds a ping (default 0.15)
  --damping N        the program's depth damping, 1..10 (default 4, the factory value)
  --ifbsim PATH      the simulator (default: ifbsim beside lakesurvey)
  --truth FILE       ifbsim's truth file (default DIR/truth.txt)

Prints the recording's path. The GPS sentence of each second reaches the program's parser half a
second later, as with a receiver on a serial port and the program's one-second GPS timer.
)";

constexpr int kExtraTrailerBytes = 3; // ifbsim's default firmware
constexpr double kGpsLatencyS = 0.5;

// The recording's clock: simulated time from 10:00 on a summer day.
class SurveyClock : public Clock {
public:
    LocalDateTime now() const override {
        const QDateTime t = start_.addMSecs(static_cast<qint64>(seconds_ * 1000));
        return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(),
                t.time().second()};
    }
    double monotonicSeconds() const override { return seconds_; }
    void set(double seconds) { seconds_ = seconds; }
    QDateTime utc() const { return start_.addMSecs(static_cast<qint64>(seconds_ * 1000)); }

private:
    QDateTime start_{QDate(2026, 6, 12), QTime(10, 0, 0), Qt::UTC};
    double seconds_ = 0;
};

std::string Arg(int& i, int argc, char** argv) {
    if (i + 1 >= argc) {
        std::fprintf(stderr, "lakesurvey: %s needs a value\n", argv[i]);
        std::exit(2);
    }
    return argv[++i];
}

// The RMC sentence a receiver sends for second `t` of the survey.
std::string SentenceAt(const lake::SurveyTrack& survey, const SurveyClock& clock, double t) {
    gpssim::RmcContent c;
    const QDateTime utc = clock.utc();
    c.utc.tm_year = utc.date().year() - 1900;
    c.utc.tm_mon = utc.date().month() - 1;
    c.utc.tm_mday = utc.date().day();
    c.utc.tm_hour = utc.time().hour();
    c.utc.tm_min = utc.time().minute();
    c.utc.tm_sec = utc.time().second();
    const lake::BoatFix b = survey.at(t);
    c.fix = gpssim::Fix{b.position.latDeg, b.position.lonDeg, b.speedKn, b.courseDeg};
    return gpssim::rmcSentence(c);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::string out, ifbsim = QCoreApplication::applicationDirPath().toStdString() + "/ifbsim", truth;
    long seed = 1;
    int damping = 4;
    double minutes = 60, pingDt = 0.15;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (a == "--out") out = Arg(i, argc, argv);
        else if (a == "--lake") seed = std::atol(Arg(i, argc, argv).c_str());
        else if (a == "--minutes") minutes = std::atof(Arg(i, argc, argv).c_str());
        else if (a == "--ping-dt") pingDt = std::atof(Arg(i, argc, argv).c_str());
        else if (a == "--damping") damping = std::atoi(Arg(i, argc, argv).c_str());
        else if (a == "--ifbsim") ifbsim = Arg(i, argc, argv);
        else if (a == "--truth") truth = Arg(i, argc, argv);
        else {
            std::fprintf(stderr, "lakesurvey: unknown option %s (see --help)\n", a.c_str());
            return 2;
        }
    }
    if (out.empty() || !(minutes > 0) || !(pingDt > 0) || damping < 1 || damping > 10) {
        std::fputs(kHelp, stderr);
        return 2;
    }
    if (truth.empty()) truth = out + "/truth.txt";
    qputenv("VODAZUZOVI_HOME", QByteArray::fromStdString(out));

    ResetState();
    BuildStartupTables();
    LoadDefaultsIntoRam();
    State& s = state();
    s.TrailerExtraBytes = kExtraTrailerBytes;
    s.IfbFirmwareVersion = 10;
    s.GpsPort = 2; // a GPS is connected
    s.WaterTemperature = 68;
    s.DepthDamping = static_cast<std::int16_t>(damping);
    SurveyClock clock;
    setClock(&clock);
    const lake::Lake lakeFloor(static_cast<std::uint64_t>(seed));
    const lake::SurveyTrack survey(lakeFloor, static_cast<std::uint64_t>(seed));

    trackacc::SimProcess sim(ifbsim, {"--lake", std::to_string(seed), "--ping-dt", std::to_string(pingDt), "--truth",
                                      truth});
    if (!sim.running()) {
        std::fprintf(stderr, "lakesurvey: cannot start %s\n", ifbsim.c_str());
        return 1;
    }
    s.LogFileOpen = true;
    if (!OpenRecordingFile()) return 1;
    const long pings = std::lround(minutes * 60 / pingDt);
    double nextGps = kGpsLatencyS;
    long tracked = 0, inBand = 0;
    for (long n = 1; n <= pings; ++n) {
        const double t = static_cast<double>(n - 1) * pingDt;
        clock.set(t);
        while (nextGps <= t) {
            const std::string sentence = SentenceAt(survey, clock, nextGps - kGpsLatencyS);
            AppendGpsBytes(reinterpret_cast<const std::uint8_t*>(sentence.data()), sentence.size());
            ParseGpsSentence();
            nextGps += 1;
        }
        // The ping cycle: its log lines, the Full block, the request.
        WriteTemperatureAndGpsLines();
        BuildChannelBlocks();
        if (s.SendSettings == 1 || s.LogFullBlockRequest) {
            s.LogFullBlockRequest = false;
            WriteChannelLine(Channel::Full);
        }
        const ChannelBlock& block = s.block(Channel::Full);
        for (int reg = 15; reg >= 1; --reg)
            if (!sim.write(static_cast<std::uint8_t>(reg), block[static_cast<std::size_t>(reg)])) return 1;
        s.PacketLength = block[8] * 256 + block[9] + 10 + s.TrailerExtraBytes;
        s.PingProcessing = block[0];
        trackacc::Bytes reply;
        if (s.PacketLength > kRxBufferLast || !sim.ping(block[0], s.PacketLength, reply)) {
            std::fprintf(stderr, "lakesurvey: ping %ld: no complete reply from the simulator\n", n);
            return 1;
        }
        std::copy(reply.begin(), reply.end(), s.RxBuffer.begin() + 1);
        s.RxCount = s.PacketLength;
        // The acquisition tick.
        if (s.SendSettings == 1) {
            s.SendSettings = 0;
            continue;
        }
        RecordReply();
        std::uint8_t packetError = 0;
        DecodePing(packetError);
        if (packetError == 0) {
            if (s.ClutterFilter > 0) ApplyClutterFilter();
            TrackBottom();
        }
        // The tracked depth against the floor under the boat, as the map will be measured.
        const double truthFt = lakeFloor.depthFt(survey.at(t).local);
        if (s.BottomDepth > 0) {
            ++tracked;
            inBand += std::fabs(s.DisplayDepth - truthFt) <= 0.02 * truthFt + 0.5 ? 1 : 0;
        }
    }
    std::fprintf(stderr, "%ld pings, %ld with a bottom, %.1f %% of those within 2 %% + 0.5 ft of the lake's depth\n",
                 pings, tracked, tracked ? 100.0 * inBand / tracked : 0.0);
    s.CloseLogRequest = true;
    RecordReply();
    sim.finish();
    std::printf("%s\n", RecordingFilePath().c_str());
    return 0;
}
