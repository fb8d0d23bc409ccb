#pragma once
// Command-line options of gpssim. See helpText() (or README.md) for their meaning.
#include <cstdint>
#include <optional>
#include <string>

namespace gpssim {

struct Options {
    std::string linkPath;     // --link: the GPS port
    std::string nmeaLinkPath; // --nmea-link: a port the program writes its NMEA output to
    std::string nmeaTapPath;  // --nmea-tap: repeats whatever the program writes, for cat
    std::string talker = "GP";
    double intervalS = 1.0;
    bool fast = false; // each sentence written at once instead of at 4800 baud
    double speedKn = 4.5;
    bool speedSet = false;
    std::optional<uint64_t> lakeSeed; // --lake: the survey of the simulated lake instead of the circle
    int minuteDecimals = 4;
    bool variation = true;
    long fixLostAfter = -1; // sentences after this many report no fix (-1: never)
    long fixLostFor = -1;   // ... for this many sentences (-1: to the end)
    long silentAfter = -1;  // nothing is sent after this many sentences (-1: never)
    long silentFor = -1;    // ... for this many intervals (-1: to the end)
    double badChecksums = 0; // share of sentences with a wrong checksum
    uint64_t seed = 1;
};

enum class ParseOutcome { Run, Help, Error };

// Fills `options` from argv; on Error, `error` says what was wrong.
ParseOutcome parseOptions(int argc, char** argv, Options& options, std::string& error);

const char* helpText();

} // namespace gpssim
