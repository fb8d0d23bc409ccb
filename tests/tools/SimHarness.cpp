#include "SimHarness.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <termios.h>
#include <unistd.h>

namespace ifbsimtest {

uint8_t replyXor(const Bytes& reply) {
    uint8_t x = 0;
    for (size_t i = 1; i < reply.size(); ++i) x ^= reply[i];
    return x;
}

Trailer trailerOf(const Bytes& r, int c) {
    return {entry(r, c + 3), entry16(r, c + 4), entry16(r, c + 6), entry16(r, c + 8),
            entry(r, c + 10) * 65536L + entry16(r, c + 11)};
}

double entryDepth(int i, const Trailer& t) { return (i * static_cast<double>(t.sampleInterval) + t.sampleDelay) * 0.0024755; }

double firstStrongEcho(const Bytes& r, int c) {
    const Trailer t = trailerOf(r, c);
    for (int i = 2; i < c; ++i)
        if (entryDepth(i, t) > 6.0 && entry(r, i) >= 180) return entryDepth(i, t);
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

std::vector<TruthLine> truthRun(Args args, int pings, int count, const std::function<void(const Bytes&, int)>& check) {
    const std::string path = "/tmp/vz-ifbsim-truth-" + std::to_string(::getpid()) + ".txt";
    args.insert(args.end(), {"--fast", "--truth", path});
    {
        SimProcess sim(args);
        for (int n = 0; n < pings && sim.ready(); ++n) {
            const Bytes r = sim.ping(count);
            if (check) check(r, n);
        }
    }
    std::vector<TruthLine> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        double ping, time, band, nearest;
        TruthLine t{};
        f >> ping >> time >> band >> t.bottom >> t.fish >> nearest >> t.farthest;
        lines.push_back(t);
    }
    std::remove(path.c_str());
    return lines;
}

bool refuses(const Args& args) {
    SimProcess sim(args);
    return !sim.ready() && sim.waitExit(milliseconds(2000)) == 2;
}

namespace {
QStringList argumentList(const Args& args) {
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    return list;
}
} // namespace

SimProcess::SimProcess(const Args& args) : process_(VZ_IFBSIM_PATH, argumentList(args)) {
    // The first line on stdout is the pty's device path.
    while (process_.started && !process_.canReadLine() && process_.waitForReadyRead(5000)) {}
    if (!process_.canReadLine()) return;
    device_ = process_.readLine().trimmed().toStdString();
    fd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios tio{};
    ::tcgetattr(fd_, &tio);
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B115200);
    ::tcsetattr(fd_, TCSANOW, &tio);
}

SimProcess::~SimProcess() { closePort(); }

void SimProcess::closePort() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void SimProcess::send(const Bytes& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) done += static_cast<size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR) return;
    }
}

Bytes SimProcess::receive(size_t count, milliseconds timeout) {
    Bytes out;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (out.size() < count) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (left.count() < 0) break;
        if (::poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
        if (!(p.revents & POLLIN)) break; // hang-up without data
        uint8_t buf[4096];
        const ssize_t n = ::read(fd_, buf, std::min(sizeof buf, count - out.size()));
        if (n < 0 && errno == EAGAIN) continue;
        if (n <= 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

Bytes SimProcess::exchange(const Bytes& frame, size_t count, milliseconds timeout) {
    ::tcflush(fd_, TCIFLUSH);
    send(frame);
    return receive(count, timeout);
}

Bytes SimProcess::ping(const Regs& registers, uint8_t code, size_t length, milliseconds timeout) {
    for (const auto& [reg, value] : registers)
        if (exchange(writeFrame(reg, value), 1) != Bytes{6}) return {};
    return exchange(writeFrame(0, code), length, timeout);
}

int SimProcess::waitExit(milliseconds timeout) {
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(static_cast<int>(timeout.count())))
        return -2;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

int SimProcess::stop() {
    process_.terminate();
    return waitExit(milliseconds(3000));
}

Regs channelBlock(int frequency, int xmitPower, int gain4, int gainRate, int pulse, int dspGain, int count) {
    const auto b = [](int v) { return static_cast<uint8_t>(v); };
    return {{15, 120}, {14, 0}, {13, 1}, {12, 0}, {11, 110}, {10, 1}, {9, b(count % 256)},
            {8, b(count / 256)}, {7, b(dspGain)}, {6, b(pulse)}, {5, b(256 - gainRate)}, {4, b(gain4)},
            {3, b(xmitPower)}, {2, b(frequency + 1)}, {1, b(frequency + 1)}};
}

} // namespace ifbsimtest
