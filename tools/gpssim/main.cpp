// gpssim: a simulated GPS receiver on a pseudo-terminal, with a second and third pty through
// which the program's NMEA output can be watched. Runs until SIGTERM/SIGINT/SIGHUP.
#include "options.h"
#include "pty_pair.h"
#include "rmc.h"
#include "survey.h"
#include "track.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <random>
#include <unistd.h>
#include <vector>

using namespace gpssim;
using simpty::PtyPair;

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t gStop = 0;
void onSignal(int) {
    gStop = 1;
}

// 4800 baud, 10 bits a byte.
constexpr double kBytesPerSecond = 480;
// A reader that has left this much unread has stopped reading: what it left is dropped, so that
// whoever opens the port next gets current sentences.
constexpr int kStaleGpsBytes = 256;
constexpr int kStaleTapBytes = 1024;

void installSignals() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Whether interval `n` (from 1) lies in the window of `count` intervals after `after`.
bool inWindow(long n, long after, long count) {
    return after >= 0 && n > after && (count < 0 || n <= after + count);
}

// Where the boat is: on the lake's survey at the sentence's own time, or on the circle.
Fix boatFix(const Options& o, const std::optional<lake::SurveyTrack>& survey, double elapsedS,
            std::chrono::system_clock::time_point now) {
    if (!survey) return boatAt(elapsedS, o.speedKn);
    const lake::BoatFix b = survey->at(std::chrono::duration<double>(now.time_since_epoch()).count());
    return {b.position.latDeg, b.position.lonDeg, b.speedKn, b.courseDeg};
}

RmcContent sentenceContent(const Options& o, const std::optional<lake::SurveyTrack>& survey, long n,
                           double elapsedS, std::mt19937_64& rng) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    RmcContent c;
    c.talker = o.talker;
    gmtime_r(&seconds, &c.utc);
    c.centiseconds = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000 / 10);
    if (!inWindow(n, o.fixLostAfter, o.fixLostFor)) c.fix = boatFix(o, survey, elapsedS, now);
    c.minuteDecimals = o.minuteDecimals;
    c.variation = o.variation;
    c.badChecksum = std::uniform_real_distribution<double>(0, 1)(rng) < o.badChecksums;
    return c;
}

// Copies what the program wrote on `from` to the tap.
void relay(const PtyPair& from, const PtyPair& tap) {
    char buf[1024];
    for (;;) {
        const ssize_t n = ::read(from.master(), buf, sizeof buf);
        if (n <= 0) return;
        if (!tap.isOpen()) continue;
        if (tap.unread() > kStaleTapBytes) tap.dropUnread();
        tap.send(buf, static_cast<size_t>(n));
    }
}

int run(const Options& o) {
    installSignals();
    PtyPair gps, nmea, tap;
    std::string error;
    if (!gps.open(B4800, o.linkPath, error) || (!o.nmeaTapPath.empty() && !tap.open(B4800, o.nmeaTapPath, error)) ||
        (!o.nmeaLinkPath.empty() && !nmea.open(B4800, o.nmeaLinkPath, error))) {
        std::fprintf(stderr, "gpssim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", gps.slavePath().c_str());
    std::fflush(stdout);

    std::mt19937_64 rng(o.seed);
    std::optional<lake::Lake> lakeFloor;
    std::optional<lake::SurveyTrack> survey;
    if (o.lakeSeed) {
        lakeFloor.emplace(*o.lakeSeed);
        survey.emplace(*lakeFloor, *o.lakeSeed);
    }
    const auto started = Clock::now();
    const auto interval = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o.intervalS));
    auto nextSentence = started;
    long sentences = 0;
    std::string outgoing; // bytes of the sentence on its way, at line speed
    auto nextByte = started;

    while (!gStop) {
        auto now = Clock::now();
        if (now >= nextSentence) {
            ++sentences;
            nextSentence += interval;
            if (nextSentence < now) nextSentence = now + interval; // after a stop (SIGSTOP), no burst
            const double elapsed = std::chrono::duration<double>(now - started).count();
            const RmcContent content = sentenceContent(o, survey, sentences, elapsed, rng);
            if (!inWindow(sentences, o.silentAfter, o.silentFor)) {
                if (gps.unread() > kStaleGpsBytes) gps.dropUnread();
                gps.releaseExclusive();
                nmea.releaseExclusive();
                if (outgoing.empty()) nextByte = now;
                outgoing += rmcSentence(content);
            }
        }
        if (!outgoing.empty() && now >= nextByte) {
            const auto due = static_cast<size_t>(std::chrono::duration<double>(now - nextByte).count() * kBytesPerSecond) + 1;
            const size_t n = o.fast ? outgoing.size() : std::min(due, outgoing.size());
            gps.send(outgoing.data(), n);
            outgoing.erase(0, n);
            nextByte += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(n / kBytesPerSecond));
        }

        std::vector<pollfd> fds{{gps.master(), POLLIN, 0}};
        if (nmea.isOpen()) fds.push_back({nmea.master(), POLLIN, 0});
        const auto wake = outgoing.empty() ? nextSentence : std::min(nextSentence, nextByte);
        const auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
        if (::poll(fds.data(), fds.size(), static_cast<int>(std::clamp<long long>(waitMs + 1, 0, 1000))) < 0 &&
            errno != EINTR) {
            std::perror("gpssim: poll");
            break;
        }
        relay(gps, tap);
        if (nmea.isOpen()) relay(nmea, tap);
    }
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
        std::fprintf(stderr, "gpssim: %s\n", error.c_str());
        return 2;
    case ParseOutcome::Run:
        break;
    }
    return run(options);
}
