#include "SimHarness.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "link/BoxProtocol.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace ifbsimtest {

using Clock = std::chrono::steady_clock;

Bytes writeFrame(uint8_t reg, uint8_t value) {
    return {0xFF, 0x01, reg, value, static_cast<uint8_t>(0xFE ^ reg ^ value)};
}

Bytes queryFrame(uint8_t reg) {
    return {0xFF, 0x02, reg, static_cast<uint8_t>(0xFD ^ reg)};
}

uint8_t replyXor(const Bytes& reply) {
    uint8_t x = 0;
    for (size_t i = 1; i < reply.size(); ++i)
        x ^= reply[i];
    return x;
}

Trailer trailerOf(const Bytes& r, int c, int extra) {
    Trailer t{entry(r, c + 3), entry16(r, c + 4), entry16(r, c + 6), entry16(r, c + 8), -1};
    if (extra == 3) t.total = entry(r, c + 10) * 65536L + entry(r, c + 11) * 256L + entry(r, c + 12);
    return t;
}

double entryDepth(int i, const Trailer& t) {
    return (i * static_cast<double>(t.sampleInterval) + t.sampleDelay) * 0.0024755;
}

double firstStrongEcho(const Bytes& r, int c, int level) {
    const Trailer t = trailerOf(r, c);
    for (int i = 2; i <= c - 1; ++i)
        if (entryDepth(i, t) > 6.0 && entry(r, i) >= level) return entryDepth(i, t);
    return -1;
}

double leadingEdge(const Bytes& r, int c, double depth) {
    const Trailer t = trailerOf(r, c);
    int strongest = 0;
    for (int i = 2; i < c; ++i)
        if (std::abs(entryDepth(i, t) - depth) < 0.2 * depth) strongest = std::max<int>(strongest, entry(r, i));
    for (int i = 2; i < c; ++i)
        if (entryDepth(i, t) > 0.8 * depth && entry(r, i) >= strongest - 30) return entryDepth(i, t);
    return -1;
}

double meanLevel(const Bytes& r, int c, double fromFt, double toFt) {
    const Trailer t = trailerOf(r, c);
    double sum = 0;
    int n = 0;
    for (int i = 2; i < c; ++i) {
        if (entryDepth(i, t) < fromFt || entryDepth(i, t) > toFt) continue;
        sum += entry(r, i);
        ++n;
    }
    return n ? sum / n : 0;
}

std::vector<TruthLine> truthRun(Args args, int pings, int count,
                                const std::function<void(const Bytes&, int)>& check) {
    const std::string path = "/tmp/vz-ifbsim-truth-" + std::to_string(::getpid()) + ".txt";
    args.insert(args.end(), {"--fast", "--truth", path});
    {
        SimProcess sim(args);
        if (!sim.ready()) return {};
        for (int n = 0; n < pings; ++n) {
            const Bytes r = sim.ping(count);
            if (check) check(r, n);
        }
    }
    std::vector<TruthLine> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        TruthLine t{};
        f >> t.ping >> t.time >> t.band >> t.bottom >> t.fish >> t.nearest >> t.farthest;
        lines.push_back(t);
    }
    std::remove(path.c_str());
    return lines;
}

bool refuses(const Args& args) {
    SimProcess sim(args);
    int status = -1;
    return !sim.ready() && sim.waitExit(milliseconds(2000), status) && status == 2;
}

int32_t tempTableEntry(int degreesF) {
    vz::BuildStartupTables();
    return vz::state().TempTable[degreesF];
}

double tempFromReading(double reading) {
    vz::BuildStartupTables();
    return vz::TempFromReading(static_cast<int32_t>(reading));
}

SimProcess::SimProcess(const Args& args) : process_(std::make_unique<QProcess>()) {
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    process_->start(VZ_IFBSIM_PATH, list);
    // The first line on stdout is the pty's device path.
    while (process_->waitForStarted(5000) && !process_->canReadLine() && process_->waitForReadyRead(5000)) {}
    if (!process_->canReadLine()) return;
    device_ = process_->readLine().trimmed().toStdString();
    fd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios tio{};
    ::tcgetattr(fd_, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B115200);
    ::cfsetospeed(&tio, B115200);
    ::tcsetattr(fd_, TCSANOW, &tio);
}

SimProcess::~SimProcess() {
    stop();
    closePort();
}

void SimProcess::closePort() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void SimProcess::send(const Bytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
    }
}

Bytes SimProcess::receive(size_t count, milliseconds timeout) {
    Bytes out;
    const auto deadline = Clock::now() + timeout;
    while (out.size() < count) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        if (left.count() < 0) break;
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(left.count()) + 1);
        if (r <= 0) continue;
        if (!(p.revents & POLLIN)) break; // hang-up without data
        uint8_t buf[4096];
        const size_t want = std::min(sizeof buf, count - out.size());
        const ssize_t n = ::read(fd_, buf, want);
        if (n <= 0) {
            if (n < 0 && errno == EAGAIN) continue;
            break;
        }
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

Bytes SimProcess::exchange(const Bytes& frame, size_t count, milliseconds timeout) {
    ::tcflush(fd_, TCIFLUSH);
    send(frame);
    return receive(count, timeout);
}

bool SimProcess::writeAcked(uint8_t reg, uint8_t value) {
    const Bytes reply = exchange(writeFrame(reg, value), 1);
    return reply.size() == 1 && reply[0] == 6;
}

Bytes SimProcess::ping(const Regs& registers, uint8_t code,
                       size_t length, milliseconds timeout) {
    for (const auto& [reg, value] : registers)
        if (!writeAcked(reg, value)) return {};
    return exchange(writeFrame(0, code), length, timeout);
}

bool SimProcess::waitExit(milliseconds timeout, int& status) {
    if (process_->state() != QProcess::NotRunning && !process_->waitForFinished(static_cast<int>(timeout.count())))
        return false;
    status = process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
    return true;
}

int SimProcess::stop() {
    if (process_->state() == QProcess::NotRunning) return -1;
    process_->terminate();
    int status = -1;
    if (waitExit(milliseconds(3000), status)) return status;
    process_->kill();
    process_->waitForFinished(3000);
    return -1;
}

Regs channelBlock(int frequency, int xmitPower, int gain4, int gainRate, int pulse, int dspGain,
                  int count) {
    const auto b = [](int v) { return static_cast<uint8_t>(v); };
    return {{15, 120}, {14, 0}, {13, 1}, {12, 0}, {11, 110}, {10, 1}, {9, b(count % 256)},
            {8, b(count / 256)}, {7, b(dspGain)}, {6, b(pulse)}, {5, b(256 - gainRate)}, {4, b(gain4)},
            {3, b(xmitPower)}, {2, b(frequency + 1)}, {1, b(frequency + 1)}};
}

} // namespace ifbsimtest
