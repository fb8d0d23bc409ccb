#pragma once
// Command-line options of ifbsim. See helpText() (or README.md) for their meaning.
#include "scene.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ifbsim {

enum class SceneClock { Wall, Ping };

struct FaultOptions {
    double dropAcks = 0;         // share of register-write acknowledgements not sent
    double corruptChecksums = 0; // share of ping replies with a wrong checksum byte
    double stall = 0;            // share of pings answered with nothing at all
    double truncate = 0;         // share of ping replies cut short
    double garbage = 0;          // share of ping replies preceded by 1..8 random bytes
    double flood = 0;            // share of ping replies followed by junk up to floodBytes
    long floodBytes = 33000;
    long faultsAfter = 0;  // the shares above apply only after this many pings
    long silentAfter = -1; // after this many pings answer nothing any more (-1: never)
    long vanishAfter = -1; // after this many pings close the pty and exit (-1: never)
};

struct Options {
    std::string linkPath;
    std::string logPath;
    std::string truthPath; // --truth: the true bottom and fish of every ping
    bool fast = false;
    bool stdio = false; // --stdio: frames on standard input, replies on standard output
    uint8_t firmware = 10;
    uint32_t serial = 1234123;
    uint64_t seed = 1;
    std::optional<SceneClock> clock; // default: wall time, or per ping with --fast
    double pingDtS = 0.1;
    double pingDelayMs = -1; // < 0: the acoustic listening time of the ping, capped
    SceneConfig scene;
    FaultOptions faults;

    SceneClock sceneClock() const {
        return clock.value_or(fast ? SceneClock::Ping : SceneClock::Wall);
    }
};

enum class ParseOutcome { Run, Help, Error };

// Fills `options` from argv; on Error, `error` says what was wrong.
ParseOutcome parseOptions(int argc, char** argv, Options& options, std::string& error);

const char* helpText();

} // namespace ifbsim
