#include "options.h"

#include <charconv>
#include <functional>
#include <map>

namespace gpssim {

namespace {

bool toDouble(const std::string& s, double& out) {
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool toLong(const std::string& s, long& out) {
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && ptr == end;
}

using Setter = std::function<bool(const std::string&, Options&, std::string&)>;

Setter text(std::string Options::*field) {
    return [field](const std::string& v, Options& o, std::string&) {
        o.*field = v;
        return true;
    };
}

Setter number(double Options::*field, double lo, double hi) {
    return [field, lo, hi](const std::string& v, Options& o, std::string& err) {
        double d = 0;
        if (!toDouble(v, d) || d < lo || d > hi) {
            err = "expects a number from " + std::to_string(lo) + " to " + std::to_string(hi);
            return false;
        }
        o.*field = d;
        return true;
    };
}

Setter count(long Options::*field) {
    return [field](const std::string& v, Options& o, std::string& err) {
        long n = 0;
        if (!toLong(v, n) || n < 0) {
            err = "expects a whole number of 0 or more";
            return false;
        }
        o.*field = n;
        return true;
    };
}

const std::map<std::string, Setter>& valueOptions() {
    static const std::map<std::string, Setter> table = {
        {"--link", text(&Options::linkPath)},
        {"--nmea-link", text(&Options::nmeaLinkPath)},
        {"--nmea-tap", text(&Options::nmeaTapPath)},
        {"--talker",
         [](const std::string& v, Options& o, std::string& err) {
             if (v.size() != 2 || v[0] < 'A' || v[0] > 'Z' || v[1] < 'A' || v[1] > 'Z') {
                 err = "expects two upper-case letters";
                 return false;
             }
             o.talker = v;
             return true;
         }},
        {"--interval", number(&Options::intervalS, 0.05, 60)},
        {"--speed-kn",
         [](const std::string& v, Options& o, std::string& err) {
             o.speedSet = true;
             return number(&Options::speedKn, 0, 40)(v, o, err);
         }},
        {"--lake",
         [](const std::string& v, Options& o, std::string& err) {
             long n = 0;
             if (!toLong(v, n) || n < 0) {
                 err = "expects a whole number of 0 or more";
                 return false;
             }
             o.lakeSeed = static_cast<uint64_t>(n);
             return true;
         }},
        {"--minute-decimals",
         [](const std::string& v, Options& o, std::string& err) {
             long n = 0;
             if (!toLong(v, n) || n < 1 || n > 6) {
                 err = "expects 1 to 6";
                 return false;
             }
             o.minuteDecimals = static_cast<int>(n);
             return true;
         }},
        {"--fix-lost-after", count(&Options::fixLostAfter)},
        {"--fix-lost-for", count(&Options::fixLostFor)},
        {"--silent-after", count(&Options::silentAfter)},
        {"--silent-for", count(&Options::silentFor)},
        {"--bad-checksums", number(&Options::badChecksums, 0, 1)},
        {"--seed",
         [](const std::string& v, Options& o, std::string& err) {
             long n = 0;
             if (!toLong(v, n) || n < 0) {
                 err = "expects a whole number of 0 or more";
                 return false;
             }
             o.seed = static_cast<uint64_t>(n);
             return true;
         }},
    };
    return table;
}

} // namespace

ParseOutcome parseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") return ParseOutcome::Help;
        if (name == "--fast") {
            options.fast = true;
            continue;
        }
        if (name == "--no-variation") {
            options.variation = false;
            continue;
        }
        const auto it = valueOptions().find(name);
        if (it == valueOptions().end()) {
            error = "unknown option " + name + " (see --help)";
            return ParseOutcome::Error;
        }
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return ParseOutcome::Error;
        }
        std::string why;
        if (!it->second(argv[++i], options, why)) {
            error = name + " " + why;
            return ParseOutcome::Error;
        }
    }
    if (options.lakeSeed && options.speedSet) {
        error = "--lake runs the lake's survey at its own speed: drop --speed-kn";
        return ParseOutcome::Error;
    }
    if (!options.nmeaLinkPath.empty() && options.nmeaTapPath.empty()) {
        error = "--nmea-link needs --nmea-tap, where the output can be read";
        return ParseOutcome::Error;
    }
    return ParseOutcome::Run;
}

const char* helpText() {
    return R"(gpssim: a simulated GPS receiver on a pseudo-terminal.

It prints the GPS port's device path and sends one RMC sentence per interval, at 4800 baud, for a
boat circling slowly in English Bay off Vancouver (49 18 N, 123 13 W).

Ports
  --link PATH            symlink to the GPS port (the program's GPS COM port)
  --nmea-link PATH       symlink to a second port, for the program's NMEA output
  --nmea-tap PATH        symlink to a third port that repeats everything the program writes
                         on either port: `cat PATH` shows the NMEA output
Sentences
  --talker XX            talker of the RMC sentences (default GP; GN for several systems)
  --interval S           seconds between sentences (default 1)
  --fast                 write each sentence at once instead of at 4800 baud
  --speed-kn KN          boat speed in knots (default 4.5)
  --lake SEED            instead of the circle, the survey of the simulated lake SEED
                         (tools/lake): lines across the lake at 4 knots, by Unix time, the same
                         track as ifbsim --lake SEED
  --minute-decimals N    decimals of the minutes of latitude and longitude (1..6, default 4)
  --no-variation         leave the magnetic variation fields empty
Faults
  --fix-lost-after N     sentences after the N-th report no fix (status V, empty position)
  --fix-lost-for N       ... for N sentences, then the fix is back (default: for good)
  --silent-after N       send nothing after N sentences
  --silent-for N         ... for N intervals, then talk again (default: for good)
  --bad-checksums P      share (0..1) of sentences with a wrong checksum
  --seed N               seed of the faults' random choices (default 1)
)";
}

} // namespace gpssim
