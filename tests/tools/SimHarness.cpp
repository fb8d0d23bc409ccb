#include "SimHarness.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace ifbsimtest {

uint8_t replyXor(const Bytes& reply) {
    uint8_t x = 0;
    for (size_t i = 1; i < reply.size(); ++i) x ^= reply[i];
    return x;
}

bool refuses(const Args& args) {
    SimProcess sim(args);
    return !sim.ready() && sim.waitExit(milliseconds(2000)) == 2;
}

static QStringList argumentList(const Args& args) {
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    return list;
}

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

Regs channelBlock(int frequency, int xmitPower, int gain4, int gainRate, int pulse, int dspGain, int count) {
    const auto b = [](int v) { return static_cast<uint8_t>(v); };
    return {{15, 120}, {14, 0}, {13, 1}, {12, 0}, {11, 110}, {10, 1}, {9, b(count % 256)},
            {8, b(count / 256)}, {7, b(dspGain)}, {6, b(pulse)}, {5, b(256 - gainRate)}, {4, b(gain4)},
            {3, b(xmitPower)}, {2, b(frequency + 1)}, {1, b(frequency + 1)}};
}

} // namespace ifbsimtest
