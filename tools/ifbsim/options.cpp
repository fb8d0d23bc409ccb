#include "options.h"

#include "replies.h"

#include <charconv>
#include <cstring>
#include <functional>
#include <map>

namespace ifbsim {

namespace {

bool toDouble(const std::string& s, double& out) {
    try {
        size_t used = 0;
        out = std::stod(s, &used);
        return used == s.size();
    } catch (...) {
        return false;
    }
}

bool toLong(const std::string& s, long long& out) {
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && ptr == end;
}

using Setter = std::function<bool(const std::string&, Options&, std::string&)>;

Setter share(double FaultOptions::*field) {
    return [field](const std::string& v, Options& o, std::string& err) {
        double d = 0;
        if (!toDouble(v, d) || d < 0 || d > 1) {
            err = "expects a share from 0 to 1";
            return false;
        }
        o.faults.*field = d;
        return true;
    };
}

Setter count(long FaultOptions::*field) {
    return [field](const std::string& v, Options& o, std::string& err) {
        long long n = 0;
        if (!toLong(v, n) || n < 0) {
            err = "expects a whole number of 0 or more";
            return false;
        }
        o.faults.*field = static_cast<long>(n);
        return true;
    };
}

Setter number(std::function<void(Options&, double)> apply, double lo, double hi) {
    return [apply, lo, hi](const std::string& v, Options& o, std::string& err) {
        double d = 0;
        if (!toDouble(v, d) || d < lo || d > hi) {
            err = "expects a number from " + std::to_string(lo) + " to " + std::to_string(hi);
            return false;
        }
        apply(o, d);
        return true;
    };
}

const std::map<std::string, Setter>& valueOptions() {
    static const std::map<std::string, Setter> table{
        {"--link",
         [](const std::string& v, Options& o, std::string&) {
             o.linkPath = v;
             return true;
         }},
        {"--log",
         [](const std::string& v, Options& o, std::string&) {
             o.logPath = v;
             return true;
         }},
        {"--truth",
         [](const std::string& v, Options& o, std::string&) {
             o.truthPath = v;
             return true;
         }},
        {"--scene",
         [](const std::string& v, Options& o, std::string& err) {
             const auto kind = sceneKindNamed(v);
             if (!kind) {
                 err = "expects wandering, shelving, dropoff, soft, second-echo, school, "
                       "clutter or multiples";
                 return false;
             }
             o.scene.kind = *kind;
             return true;
         }},
        {"--firmware",
         [](const std::string& v, Options& o, std::string& err) {
             long long n = 0;
             if (!toLong(v, n) || n < 0 || n > 255) {
                 err = "expects 0 to 255";
                 return false;
             }
             o.firmware = static_cast<uint8_t>(n);
             return true;
         }},
        {"--serial",
         [](const std::string& v, Options& o, std::string& err) {
             long long n = 0;
             if (!toLong(v, n) || n < 0 || !serialRepresentable(static_cast<uint64_t>(n))) {
                 err = "expects a number below 2,560,000,000 whose last three digits are 000 to "
                       "255 (the reply carries them in one byte)";
                 return false;
             }
             o.serial = static_cast<uint32_t>(n);
             return true;
         }},
        {"--seed",
         [](const std::string& v, Options& o, std::string& err) {
             long long n = 0;
             if (!toLong(v, n) || n < 0) {
                 err = "expects a whole number of 0 or more";
                 return false;
             }
             o.seed = static_cast<uint64_t>(n);
             return true;
         }},
        {"--lake",
         [](const std::string& v, Options& o, std::string& err) {
             long long n = 0;
             if (!toLong(v, n) || n < 0) {
                 err = "expects a whole number of 0 or more";
                 return false;
             }
             o.scene.lakeSeed = static_cast<uint64_t>(n);
             return true;
         }},
        {"--clock",
         [](const std::string& v, Options& o, std::string& err) {
             if (v == "wall")
                 o.clock = SceneClock::Wall;
             else if (v == "ping")
                 o.clock = SceneClock::Ping;
             else {
                 err = "expects wall or ping";
                 return false;
             }
             return true;
         }},
        {"--ping-dt", number([](Options& o, double d) { o.pingDtS = d; }, 0.0, 3600.0)},
        {"--ping-delay-ms", number([](Options& o, double d) { o.pingDelayMs = d; }, 0.0, 10000.0)},
        {"--water-temp",
         number([](Options& o, double d) { o.scene.waterTempF = d; }, -20.0, 140.0)},
        {"--temp-drift", number([](Options& o, double d) { o.scene.tempDriftF = d; }, 0.0, 20.0)},
        {"--depth-ft",
         number([](Options& o, double d) { o.scene.fixedDepthFt = d; }, 2.0, 20000.0)},
        {"--min-depth-ft",
         number([](Options& o, double d) { o.scene.minDepthFt = d; }, 2.0, 20000.0)},
        {"--max-depth-ft",
         number([](Options& o, double d) { o.scene.maxDepthFt = d; }, 2.0, 20000.0)},
        {"--floor-ft",
         number([](Options& o, double d) { o.scene.dropOffFloorFt = d; }, 2.0, 20000.0)},
        {"--fish-per-minute",
         number([](Options& o, double d) { o.scene.fishPerMinute = d; }, 0.0, 600.0)},
        {"--boat-speed",
         number([](Options& o, double d) { o.scene.boatSpeedFtPerS = d; }, 0.1, 100.0)},
        {"--multiple-strength",
         number([](Options& o, double d) { o.scene.multipleStrength = d; }, 0.0, 1.0)},
        {"--drop-acks", share(&FaultOptions::dropAcks)},
        {"--corrupt-checksums", share(&FaultOptions::corruptChecksums)},
        {"--stall", share(&FaultOptions::stall)},
        {"--truncate", share(&FaultOptions::truncate)},
        {"--garbage", share(&FaultOptions::garbage)},
        {"--flood", share(&FaultOptions::flood)},
        {"--flood-bytes", count(&FaultOptions::floodBytes)},
        {"--faults-after", count(&FaultOptions::faultsAfter)},
        {"--silent-after", count(&FaultOptions::silentAfter)},
        {"--vanish-after", count(&FaultOptions::vanishAfter)},
    };
    return table;
}

} // namespace

ParseOutcome parseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return ParseOutcome::Help;
        if (arg == "--fast") {
            options.fast = true;
            continue;
        }
        if (arg == "--stdio") {
            options.stdio = true;
            options.fast = true;
            continue;
        }
        std::string value;
        bool haveValue = false;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            haveValue = true;
        }
        const auto& table = valueOptions();
        const auto it = table.find(arg);
        if (it == table.end()) {
            error = "unknown option " + arg + " (see --help)";
            return ParseOutcome::Error;
        }
        if (!haveValue) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return ParseOutcome::Error;
            }
            value = argv[++i];
        }
        std::string why;
        if (!it->second(value, options, why)) {
            error = arg + " " + value + ": " + why;
            return ParseOutcome::Error;
        }
    }
    if (options.scene.lakeSeed && (options.scene.kind != SceneKind::Wandering || options.scene.fixedDepthFt)) {
        error = "--lake makes the bottom the lake's floor: drop --scene and --depth-ft";
        return ParseOutcome::Error;
    }
    if (options.scene.minDepthFt > options.scene.maxDepthFt) {
        error = "--min-depth-ft is above --max-depth-ft";
        return ParseOutcome::Error;
    }
    return ParseOutcome::Run;
}

const char* helpText() {
    return R"(ifbsim - a simulated Vodazuzovi Interface Box on a pseudo-terminal

Usage: ifbsim [options]

Prints the pty's device path on stdout and answers the box protocol on it (register writes and
queries, handshake, serial number, water temperature, pings) until SIGTERM or SIGINT.

Connection
  --link PATH            make a symlink PATH to the pty (removed at exit),
                         for VODAZUZOVI_COM1=PATH
  --fast                 send replies at once (no 115200-baud pacing, no listening time);
                         the scene clock then steps per ping
  --log FILE             one line per frame received: "W rr vv" write, "Q rr" query,
                         "B xx .." frame with a bad check byte or type, "G xx .." stray bytes
                         (hex, upper case)
  --firmware N           register 65 (default 10; 9 or lower: no 24-bit interval total)
  --serial N             serial number (default 1234123). Sent as b2 = N / 10,000,000,
                         b3 = N / 100,000 % 100, b4 = N / 1,000 % 100, b5 = N % 1,000, so the
                         last three digits must be 000..255 (one byte)
  --ping-delay-ms MS     pause between a ping's acknowledgement and its samples (default:
                         the ping's listening time, C x SampleInterval us; none with --fast)
  --stdio                no pty: read frames from standard input and write the replies to
                         standard output, at once (implies --fast); ends at end of input
  --truth FILE           one line per ping with what was really there: "ping time_s
                         band_khz bottom_ft fish fish_min_ft fish_max_ft" (true bottom depth
                         below the transducer; fish in the beam, their nearest and farthest
                         range, -1 without fish)

Scene
  --seed N               scene and fault generator seed (default 1)
  --scene NAME           wandering (default): the everyday scene below; or one hard case:
                         shelving (15 ft to 400 ft and back, 850 s a cycle), dropoff (a wall
                         from 30 to 120 ft and back, 120 s a cycle), soft (bottom echo 20 dB
                         weaker), second-echo (strong echo at twice the depth), school (a big
                         school close to the bottom about every 30 s), clutter (heavy surface
                         clutter reaching far down), multiples (a hard, calm bottom in flats of
                         15, 30, 45 and 60 ft, 60 s each, then from 15 ft again)
  --depth-ft D           flat bottom at D feet (default: wandering slowly over minutes; also
                         replaces the flats of the multiples scene)
  --lake SEED            the boat surveys the simulated lake SEED (tools/lake: a basin with a
                         shelf, a hump and a channel) in lines at 4 knots, on the same track by
                         time as gpssim --lake SEED (Unix time on the wall clock, or --ping-dt
                         per ping from 0); the bottom is the lake's floor under the boat and
                         the truth file gets the boat's latitude and longitude
  --min-depth-ft D       shallowest wandering bottom (default 25)
  --max-depth-ft D       deepest wandering bottom (default 90)
  --floor-ft D           foot of the drop-off scene's wall (default 120)
  --water-temp F         water temperature in degrees F (default 68)
  --temp-drift F         amplitude of its slow drift in degrees F (default 0.3)
  --fish-per-minute R    fish or small schools passed per minute (default 8)
  --boat-speed FT        boat speed in feet per second (default 4)
  --multiple-strength R  the bottom's multiple echoes at a set strength, R from 0 to 1: the
                         second (twice the depth) R times, the third (three times the depth)
                         R squared times the bottom echo's level above the noise, in dB before
                         the receiver's gain; each repeats the bottom echo's shape (default: a
                         weak second echo only, as the water makes it)
  --clock wall|ping      scene time from the wall clock (default) or --ping-dt per ping
                         (default with --fast)
  --ping-dt S            scene seconds per ping with --clock ping (default 0.1)

Faults (shares are 0..1, drawn from the seeded generator)
  --drop-acks P          register-write acknowledgements not sent (the write still lands)
  --corrupt-checksums P  ping replies with a wrong checksum byte
  --stall P              pings answered with nothing
  --truncate P           ping replies cut short (1 .. L-1 bytes sent)
  --garbage P            ping replies preceded by 1..8 random bytes
  --flood P              ping replies followed by random bytes up to --flood-bytes
  --flood-bytes N        total size of a flood (default 33000)
  --faults-after N       the shares above apply only from ping N+1 on (default 0)
  --silent-after N       answer nothing (no acks, no replies) after N pings
  --vanish-after N       close the pty and exit once the reply to ping N is sent

  --help                 this text
)";
}

} // namespace ifbsim
