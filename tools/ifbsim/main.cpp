// ifbsim: a simulated Interface Box on a pseudo-terminal. Wires the pieces together: options,
// the pty, the frame parser and log, the box, the paced transmitter; runs the event loop until
// SIGTERM/SIGINT/SIGHUP or --vanish-after.
#include "box.h"
#include "frame_log.h"
#include "frame_parser.h"
#include "options.h"
#include "pty_pair.h"
#include "transmitter.h"
#include "truth_log.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

using namespace ifbsim;
using simpty::PtyPair;

namespace {

volatile sig_atomic_t gStop = 0;
void onSignal(int) {
    gStop = 1;
}

constexpr auto kPartialFrameTimeout = std::chrono::milliseconds(100);
constexpr auto kBlockedRecheck = std::chrono::milliseconds(100);
constexpr auto kVanishLinger = std::chrono::milliseconds(100);
constexpr auto kVanishDrainLimit = std::chrono::seconds(2);
// A program that pings sends frames far more often than this; after such a quiet spell the port
// is taken as closed and its exclusive-use flag cleared (see PtyPair::releaseExclusive).
constexpr auto kIdleReleaseAfter = std::chrono::seconds(1);

// Blocks the stop signals except while waiting in ppoll, so that none is missed between checks.
sigset_t installSignals() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t block, previous;
    sigemptyset(&block);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&block, s);
    sigprocmask(SIG_BLOCK, &block, &previous);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigdelset(&previous, s);
    return previous;
}

timespec toTimespec(std::chrono::nanoseconds d) {
    d = std::max(d, std::chrono::nanoseconds(0));
    return {static_cast<time_t>(d.count() / 1'000'000'000),
            static_cast<long>(d.count() % 1'000'000'000)};
}

bool openLogs(const Options& options, FrameLog& log, TruthLog& truth) {
    if (!options.logPath.empty() && !log.open(options.logPath)) {
        std::fprintf(stderr, "ifbsim: cannot write %s\n", options.logPath.c_str());
        return false;
    }
    if (!options.truthPath.empty() && !truth.open(options.truthPath, options.scene.lakeSeed.has_value())) {
        std::fprintf(stderr, "ifbsim: cannot write %s\n", options.truthPath.c_str());
        return false;
    }
    return true;
}

bool writeAll(int fd, const Bytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// --stdio: the same box, answering frames from standard input on standard output as soon as
// they are complete, until the input ends (or --vanish-after). For tools that drive many pings
// without a serial line in between.
int runStdio(const Options& options) {
    std::signal(SIGPIPE, SIG_IGN);
    FrameLog log;
    TruthLog truth;
    if (!openLogs(options, log, truth)) return 1;
    const auto started = Clock::now();
    Box box(options);
    box.setTruthLog(&truth);
    FrameParser parser;
    auto dispatch = [&](const std::vector<Frame>& frames) {
        const double wall = std::chrono::duration<double>(Clock::now() - started).count();
        for (const Frame& f : frames) {
            log.write(f);
            if (auto out = box.handle(f, wall)) {
                if (!writeAll(STDOUT_FILENO, out->first) || !writeAll(STDOUT_FILENO, out->bytes))
                    return false;
                if (out->vanishAfter) return false;
            }
        }
        return true;
    };
    uint8_t buf[4096];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        if (!dispatch(parser.feed(buf, static_cast<size_t>(n)))) return 0;
    }
    dispatch(parser.flushPartial());
    return 0;
}

int run(const Options& options) {
    const sigset_t waitMask = installSignals();

    PtyPair pty;
    std::string error;
    if (!pty.open(B115200, options.linkPath, error)) {
        std::fprintf(stderr, "ifbsim: %s\n", error.c_str());
        return 1;
    }
    FrameLog log;
    TruthLog truth;
    if (!openLogs(options, log, truth)) return 1;
    std::printf("%s\n", pty.slavePath().c_str());
    std::fflush(stdout);

    const auto started = Clock::now();
    Box box(options);
    box.setTruthLog(&truth);
    Transmitter tx(pty.master(), !options.fast);
    FrameParser parser;
    auto lastInput = started;
    bool exclusiveReleased = false;
    std::optional<Clock::time_point> vanishSince;

    auto dispatch = [&](const std::vector<Frame>& frames, Clock::time_point now) {
        const double wall = std::chrono::duration<double>(now - started).count();
        for (const Frame& f : frames) {
            log.write(f);
            if (auto out = box.handle(f, wall)) {
                if (!out->first.empty())
                    tx.send(std::move(out->first), std::chrono::nanoseconds(0), false, now);
                tx.send(std::move(out->bytes),
                        std::chrono::nanoseconds(static_cast<long long>(out->delayUs * 1000.0)),
                        out->vanishAfter, now);
            }
        }
    };

    while (!gStop) {
        auto now = Clock::now();
        std::optional<Clock::time_point> wake = tx.nextDue();
        if (tx.waitingForWritable()) wake = now + kBlockedRecheck;
        if (parser.hasPartial()) {
            const auto flushAt = lastInput + kPartialFrameTimeout;
            wake = wake ? std::min(*wake, flushAt) : flushAt;
        }
        if (!exclusiveReleased) {
            const auto releaseAt = lastInput + kIdleReleaseAfter;
            wake = wake ? std::min(*wake, releaseAt) : releaseAt;
        }
        if (vanishSince) wake = now + std::chrono::milliseconds(5);

        pollfd pfd{pty.master(),
                   static_cast<short>(POLLIN | (tx.waitingForWritable() ? POLLOUT : 0)), 0};
        timespec timeout{};
        if (wake) timeout = toTimespec(*wake - now);
        const int ready = ::ppoll(&pfd, 1, wake ? &timeout : nullptr, &waitMask);
        if (ready < 0 && errno != EINTR) {
            std::perror("ifbsim: ppoll");
            break;
        }
        now = Clock::now();

        if (ready > 0 && (pfd.revents & POLLIN)) {
            uint8_t buf[4096];
            const ssize_t n = ::read(pty.master(), buf, sizeof buf);
            if (n > 0) {
                lastInput = now;
                exclusiveReleased = false;
                dispatch(parser.feed(buf, static_cast<size_t>(n)), now);
            }
        }
        if (parser.hasPartial() && now - lastInput >= kPartialFrameTimeout)
            dispatch(parser.flushPartial(), now);
        if (!exclusiveReleased && now - lastInput >= kIdleReleaseAfter) {
            pty.releaseExclusive();
            exclusiveReleased = true;
        }
        if (!tx.pump(now)) {
            std::perror("ifbsim: write");
            break;
        }
        if (tx.vanishReached()) {
            // Let the program read the last reply before the line disappears (the pty hands the
            // bytes on asynchronously, so the slave's queue may look empty at first).
            if (!vanishSince) vanishSince = now;
            const auto waited = now - *vanishSince;
            if ((waited >= kVanishLinger && pty.unread() == 0) || waited > kVanishDrainLimit)
                break;
        }
    }
    pty.close();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    switch (parseOptions(argc, argv, options, error)) {
    case ParseOutcome::Help:
        std::fputs(helpText(), stdout);
        return 0;
    case ParseOutcome::Error:
        std::fprintf(stderr, "ifbsim: %s\n", error.c_str());
        return 2;
    case ParseOutcome::Run:
        break;
    }
    return options.stdio ? runStdio(options) : run(options);
}
