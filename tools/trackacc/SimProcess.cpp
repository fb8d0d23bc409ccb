#include "SimProcess.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trackacc {

namespace {
constexpr int kReplyTimeoutMs = 10000;
constexpr std::uint8_t kAck = 6;
} // namespace

SimProcess::SimProcess(const std::string& program, const std::vector<std::string>& args) {
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (::pipe(in) != 0) return;
    if (::pipe(out) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    std::vector<std::string> argv{program, "--stdio"};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1]})
            ::close(fd);
        std::vector<char*> raw;
        for (std::string& a : argv)
            raw.push_back(a.data());
        raw.push_back(nullptr);
        ::execv(program.c_str(), raw.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (pid < 0) {
        ::close(in[1]);
        ::close(out[0]);
        return;
    }
    pid_ = pid;
    toSim_ = in[1];
    fromSim_ = out[0];
}

SimProcess::~SimProcess() {
    finish();
}

bool SimProcess::send(const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(toSim_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SimProcess::receive(std::size_t count, Bytes& out) {
    out.resize(count);
    std::size_t done = 0;
    while (done < count) {
        pollfd p{fromSim_, POLLIN, 0};
        const int ready = ::poll(&p, 1, kReplyTimeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t n = ::read(fromSim_, out.data() + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SimProcess::write(std::uint8_t reg, std::uint8_t value) {
    const Bytes frame{0xFF, 0x01, reg, value, static_cast<std::uint8_t>(0xFE ^ reg ^ value)};
    Bytes ack;
    return send(frame) && receive(1, ack) && ack[0] == kAck;
}

bool SimProcess::ping(std::uint8_t code, int length, Bytes& reply) {
    const Bytes frame{0xFF, 0x01, 0, code, static_cast<std::uint8_t>(0xFE ^ code)};
    return length > 0 && send(frame) && receive(static_cast<std::size_t>(length), reply);
}

void SimProcess::finish() {
    if (pid_ <= 0) return;
    ::close(toSim_);
    ::close(fromSim_);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
}

} // namespace trackacc
