#include "SimHarness.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char** environ;

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

int32_t tempTableEntry(int t) {
    const double c = (t - 32) * 0.555555;
    const double r = 12494.98 * std::exp(3881.7954 * (1.0 / (c + 273.0) - 0.00341297));
    const double v = r / (r + 10200.0) * 5.0;
    return static_cast<int32_t>(std::nearbyint(-35064.9 * std::log(1.0 - v / 5.0)));
}

double tempFromReading(double reading) {
    int i = 100;
    for (int k = 16; k <= 99; ++k) {
        if (tempTableEntry(k) < reading) {
            i = k;
            break;
        }
    }
    const double lo = tempTableEntry(i - 1);
    const double hi = tempTableEntry(i);
    const double x = (lo - reading) * 100.0 / (lo - hi) + (i - 1) * 100.0;
    return std::nearbyint(x) / 100.0;
}

SimProcess::SimProcess(const std::vector<std::string>& args) {
    int out[2];
    if (::pipe(out) != 0) return;
    std::vector<std::string> all{VZ_IFBSIM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    stdout_ = out[0];
    if (rc != 0) {
        pid_ = -1;
        return;
    }
    // The first line on stdout is the pty's device path.
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    std::string line;
    while (Clock::now() < deadline && line.find('\n') == std::string::npos) {
        pollfd p{stdout_, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buf[256];
        const ssize_t n = ::read(stdout_, buf, sizeof buf);
        if (n <= 0) break;
        line.append(buf, static_cast<size_t>(n));
    }
    if (line.find('\n') == std::string::npos) return;
    device_ = line.substr(0, line.find('\n'));
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
    if (stdout_ >= 0) ::close(stdout_);
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
    if (pid_ < 0) return false;
    const auto deadline = Clock::now() + timeout;
    while (true) {
        int st = 0;
        const pid_t r = ::waitpid(pid_, &st, WNOHANG);
        if (r == pid_) {
            exited_ = true;
            status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
            pid_ = -1;
            return true;
        }
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(5));
    }
}

int SimProcess::stop() {
    if (pid_ < 0) return -1;
    ::kill(pid_, SIGTERM);
    int status = -1;
    if (waitExit(milliseconds(3000), status)) return status;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    return -1;
}

Regs channelBlock(int frequency, int xmitPower, int gain4, int gainRate, int pulse, int dspGain,
                  int count) {
    return {{15, 120},
            {14, 0},
            {13, 1},
            {12, 0},
            {11, 110},
            {10, 1},
            {9, static_cast<uint8_t>(count % 256)},
            {8, static_cast<uint8_t>(count / 256)},
            {7, static_cast<uint8_t>(dspGain)},
            {6, static_cast<uint8_t>(pulse)},
            {5, static_cast<uint8_t>(256 - gainRate)},
            {4, static_cast<uint8_t>(gain4)},
            {3, static_cast<uint8_t>(xmitPower)},
            {2, static_cast<uint8_t>(frequency + 1)},
            {1, static_cast<uint8_t>(frequency + 1)}};
}

} // namespace ifbsimtest
