// soak: the whole program (its main window, real timers, event loop and serial port code) against
// the simulated box on a pty for a set time, answering its prompts as a user would. Prints one
// tab-separated line: case, window, screen, deepest ping-cycle nesting, pings drawn per second, the rate the link
// and the sound's travel allow, their ratio, box-port prompts, seconds from the start to the first
// (-1: none), other dialogs, whether pinging went on to the end, CPU seconds per minute, register
// writes per ping command.
#include "BoxProcess.h"
#include "SoakDialogs.h"

#include "app/frmMain.h"
#include "core/Defaults.h"
#include "core/DepthUnits.h"
#include "core/SettingsFile.h"
#include "core/Startup.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "processing/AcquisitionTick.h"
#include "processing/AutoRange.h"
#include "processing/PingCycle.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Options {
    QString label = "none";
    double seconds = 30;
    int windowFt = 100;
    bool split = false;
    bool restartOnPrompt = false;
    int width = 0, height = 0;
    bool check = false;
    bool expectPrompt = false;
    double maxWritesPerPing = 0; // 0: not checked
    bool autoMode = false;
    double depthFt = 0; // 0: the bottom at 0.6 of the window
    int frequency = 0;  // 0 = 200 kHz, 1 = 50 kHz
    QString ifbsim;
    QStringList faults;
};

const char* kUsage =
    "Usage: soak [options] [-- ifbsim fault options]\n"
    "  --label TEXT            name of the case in the output line\n"
    "  --seconds S             how long the program runs (default 30)\n"
    "  --window-ft W           Manual range of every channel: 15 .. 5000 ft (default 100)\n"
    "  --split                 Split screen (default Full)\n"
    "  --restart-on-prompt     at the first box-port prompt, start the box again without faults\n"
    "  --size WxH              main window size (default its own)\n"
    "  --ifbsim PATH           the simulator (default: beside this program)\n"
    "  --auto                  Auto mode (Auto Range Only) from the window of --window-ft\n"
    "  --depth-ft D            the bottom at D ft (default 0.6 of the window); prints a second\n"
    "                          line: when the shown depth settled within 2 % + 0.5 ft, and the\n"
    "                          checks (four a second) that showed a depth out of that band\n"
    "  --50khz                 every channel pings at 50 kHz\n"
    "  --check                 exit 1 unless the nesting is 1, pinging went on to the end, a\n"
    "                          prompt came exactly when --expect-prompt says so and the writes\n"
    "                          per ping stay within --max-writes-per-ping\n";

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--") {
            for (++i; i < argc; ++i) o.faults << argv[i];
        } else if (a == "--label" && hasValue) {
            o.label = argv[++i];
        } else if (a == "--seconds" && hasValue) {
            o.seconds = std::atof(argv[++i]);
        } else if (a == "--window-ft" && hasValue) {
            o.windowFt = std::atoi(argv[++i]);
        } else if (a == "--auto") {
            o.autoMode = true;
        } else if (a == "--depth-ft" && hasValue) {
            o.depthFt = std::atof(argv[++i]);
        } else if (a == "--50khz") {
            o.frequency = 1;
        } else if (a == "--split") {
            o.split = true;
        } else if (a == "--restart-on-prompt") {
            o.restartOnPrompt = true;
        } else if (a == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
        } else if (a == "--ifbsim" && hasValue) {
            o.ifbsim = argv[++i];
        } else if (a == "--check") {
            o.check = true;
        } else if (a == "--expect-prompt") {
            o.expectPrompt = true;
        } else if (a == "--max-writes-per-ping" && hasValue) {
            o.maxWritesPerPing = std::atof(argv[++i]);
        } else {
            return false;
        }
    }
    return o.seconds > 0;
}

int RangeStep(int feet) {
    for (int step = 1; step <= 20; ++step)
        if (vz::state().DepthRangeTable[0][step] == feet) return step;
    return 0;
}

// A settings file with the box on COM1, no GPS or NMEA port, and every channel in Manual at the
// window asked for; the program reads it as any other.
bool WriteSettings(const Options& o) {
    vz::BuildStartupTables();
    vz::LoadDefaultsIntoRam();
    vz::State& s = vz::state();
    const int step = RangeStep(o.windowFt);
    if (step == 0) return false;
    s.IfbPort = 1;
    s.GpsPort = 0;
    s.NmeaPort = 0;
    s.AutoMode = o.autoMode ? 1 : 0;
    s.SplitScreen = o.split ? 1 : 0;
    for (vz::ChannelSettings* c : {&s.Full, &s.Left, &s.Right}) {
        c->DepthRange = static_cast<std::int16_t>(step);
        c->DepthOffset = 1;
        if (o.frequency != 0) c->Frequency = static_cast<std::int16_t>(o.frequency);
    }
    return vz::WriteSettingsFile();
}

double CpuSeconds() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_utime.tv_sec + use.ru_stime.tv_sec + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// Pings per second the link and the sound allow: the bytes of a ping on the wire at 115200 baud
// (register writes with their acknowledgements, among them the temperature command, whose reading
// follows in three more bytes, and the reply), the ping cycle's own interval and the listening
// time of the window.
double AllowedRate(double writesPerPing) {
    const vz::State& s = vz::state();
    const int samples = s.PacketLength - 10 - s.TrailerExtraBytes;
    const double bytes = writesPerPing * 6 + 3 + s.PacketLength;
    const double cycle = (410 - 50 * s.ChartSpeed) / 1000.0;
    const double listen = samples * static_cast<double>(s.SampleInterval) / 1e6;
    return 1.0 / (bytes * 10 / 115200 + cycle + listen);
}

struct Progress {
    double start = vz::clock().monotonicSeconds();
    double firstPingAt = -1, cpuAtFirstPing = 0;
    long pingsAtFirst = 0, commandsAtFirst = 0, writesAtFirst = 0;
    double lastPingAt = -1;
    long lastPings = 0;
    double settledAt = -1; // since when the shown depth has held within the band
    long pingsToSettle = 0;
    long depthChecks = 0, wrongDepths = 0;
};

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    vz::ChooseEventDispatcher();
    QApplication app(argc, argv);
    if (o.ifbsim.isEmpty()) o.ifbsim = QCoreApplication::applicationDirPath() + "/ifbsim";

    QTemporaryDir dir;
    qputenv("VODAZUZOVI_HOME", dir.filePath("data").toLocal8Bit());
    qputenv("VODAZUZOVI_COM1", dir.filePath("com1").toLocal8Bit());
    if (!WriteSettings(o)) {
        std::fprintf(stderr, "soak: cannot prepare settings for a %d ft window\n", o.windowFt);
        return 2;
    }

    const double bottomFt = o.depthFt > 0 ? o.depthFt : o.windowFt * 0.6;
    const QStringList scene{"--depth-ft", QString::number(bottomFt), "--seed", "1"};
    soak::BoxProcess box(o.ifbsim, dir.filePath("com1"), dir.filePath("box"));
    if (!box.start(scene + o.faults)) {
        std::fprintf(stderr, "soak: %s did not start\n", qPrintable(o.ifbsim));
        return 2;
    }
    soak::SoakDialogs answers([&] {
        if (o.restartOnPrompt && box.starts() == 1) box.restart(scene);
    });
    vz::setDialogs(&answers);
    vz::frmMain window;
    if (o.width > 0) window.resize(o.width, o.height);
    window.show();

    Progress p;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        box.readLogs();
        const double now = vz::clock().monotonicSeconds() - p.start;
        if (vz::RepliesDrawn() > 0 && p.firstPingAt < 0) {
            p.firstPingAt = now;
            p.pingsAtFirst = vz::RepliesDrawn();
            p.commandsAtFirst = box.pings();
            p.writesAtFirst = box.writes();
            p.cpuAtFirstPing = CpuSeconds();
        }
        if (vz::RepliesDrawn() != p.lastPings) p.lastPingAt = now;
        p.lastPings = vz::RepliesDrawn();
        const vz::State& s = vz::state();
        const double shownFt = s.DisplayDepth * vz::FeetPerDepthUnit(s.DepthUnits) - s.KeelOffset;
        const bool right = std::abs(shownFt - bottomFt) <= 0.02 * bottomFt + 0.5;
        if (s.BottomFound) {
            ++p.depthChecks;
            if (!right) ++p.wrongDepths;
        }
        if (s.BottomFound && right && p.settledAt < 0) {
            p.settledAt = now;
            p.pingsToSettle = vz::RepliesDrawn();
        }
        if (!(s.BottomFound && right)) p.settledAt = -1;
    });
    watch.start(250);

    int rc = 0;
    QTimer::singleShot(static_cast<int>(o.seconds * 1000), &app, [&] {
        box.readLogs();
        const double now = vz::clock().monotonicSeconds() - p.start;
        const double span = p.firstPingAt < 0 ? 0 : now - p.firstPingAt;
        const double rate = span > 0 ? (vz::RepliesDrawn() - p.pingsAtFirst) / span : 0;
        // Counted from the first ping on: the handshake's writes belong to no ping. A ping
        // command sent again for want of its acknowledgement counts as one more.
        const long commands = box.pings() - p.commandsAtFirst;
        const double writesPerPing = commands > 0 ? static_cast<double>(box.writes() - p.writesAtFirst) / commands : 0;
        const double allowed = AllowedRate(writesPerPing);
        const double cpuPerMinute = span > 0 ? (CpuSeconds() - p.cpuAtFirstPing) / span * 60 : 0;
        // A deep window's ping, or the deadline of a spoiled one, takes seconds.
        const bool resumed = p.lastPingAt >= 0 && now - p.lastPingAt < std::max(3.0, o.seconds / 4);
        const int nesting = vz::DeepestPingCycleNesting();
        const double promptAt = answers.firstBoxPromptAt() < 0 ? -1 : answers.firstBoxPromptAt() - p.start;
        std::printf("%s\t%d\t%s\t%d\t%.2f\t%.2f\t%.2f\t%d\t%.1f\t%zu\t%s\t%.2f\t%.1f\n", qPrintable(o.label),
                    o.windowFt, o.split ? "Split" : "Full", nesting, rate, allowed, rate / allowed,
                    answers.boxPrompts(), promptAt, answers.others().size(), resumed ? "yes" : "no", cpuPerMinute,
                    writesPerPing);
        for (const std::string& title : answers.others()) std::fprintf(stderr, "soak: dialog \"%s\"\n", title.c_str());
        if (o.depthFt > 0) {
            const vz::State& s = vz::state();
            std::printf("depth %.0f ft: settled %s s after the start (%ld replies drawn), %ld of %ld checks "
                        "showed a wrong depth, window %d ft at the end\n",
                        bottomFt, p.settledAt < 0 ? "never" : qPrintable(QString::number(p.settledAt, 'f', 1)),
                        p.pingsToSettle, p.wrongDepths, p.depthChecks,
                        vz::WindowFoot(s.SplitScreen != 0 ? vz::Channel::Right : vz::Channel::Full));
        }
        std::fflush(stdout);
        if (o.check) {
            const bool ok = nesting == 1 && resumed && (answers.boxPrompts() > 0) == o.expectPrompt &&
                            answers.others().empty() &&
                            (o.maxWritesPerPing == 0 || writesPerPing <= o.maxWritesPerPing);
            rc = ok ? 0 : 1;
        }
        // A scripted end: no question, nothing saved.
        vz::state().SettingsChanged = 0;
        vz::state().ProgramEnding = true;
        QCoreApplication::exit(rc);
    });
    QTimer::singleShot(0, &app, [] { vz::RunStartupSequence(); });
    const int exitCode = QApplication::exec();
    vz::setDialogs(nullptr);
    return exitCode == 0 ? rc : exitCode;
}
