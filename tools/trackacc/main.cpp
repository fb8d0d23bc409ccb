// trackacc: measures the program's bottom tracking on the simulated Interface Box. For every
// scene, depth unit and screen asked for it runs a session against `ifbsim --stdio --truth` and
// prints one table row: how many searched replies, once settled, lie within 2 % + 0.5 ft of the
// true depth, the worst error, the pings needed to settle after a step of the bottom, the misses
// on a multiple echo of the bottom, on fish and in the surface band, and the drawn replies whose
// window missed the true bottom. With --gate the tracking runs in a fixed window with the range
// gate, placed by a click on the true bottom. See --help.
#include "Figures.h"
#include "TrackingRun.h"
#include "TruthFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace trackacc;

namespace {

const char* kHelp = R"(trackacc - bottom-tracking accuracy of the program on ifbsim's replies

Usage: trackacc [options]

  --ifbsim PATH          the simulator (default: ifbsim beside trackacc)
  --scenes LIST          comma-separated ifbsim scenes
                         (default shelving,dropoff,soft,school,second-echo,clutter; also
                         multiples, with e.g. --sim-arg --multiple-strength=0.6)
  --depths LIST          flat bottoms instead of scenes: the everyday scene held at each of
                         these depths in feet (ifbsim --depth-ft), e.g. 150,300,600
  --units LIST           feet,metres,fathoms (default feet,metres)
  --screens LIST         full,split (default full,split)
  --processing N         signal processing type of every channel, 0..3 (default 0)
  --full-50khz           the Full channel pings at 50 kHz (default 200 kHz; in Split screen
                         the factory Left half, 200 kHz, drives the depth)
  --manual               Manual mode: the factory window (0 to 100 ft) stays
  --window-index N       Manual mode with a fixed window for every channel: range index N
                         (1..11) at the zero offset, e.g. 7 = 500 ft, 200 m or 100 fathoms
  --gate                 range-gate runs: Manual mode in a fixed window (--window-index,
                         default 7); after --gate-after pings of the whole-column detector a
                         right click on the A-scope of the channel that drives the depth, at the
                         true bottom of its latest ping, sets the range gate, which then tracks
  --gate-after N         pings before the click that sets the gate (default 20)
  --range-and-offset     Auto mode steps offset and range (default: range only)
  --clutter-filter N     clutter filter level 0..8 (default 0)
  --damping N            depth damping 1..10 (default 4)
  --keel FT              keel offset in feet (default 0)
  --ping-dt S            scene seconds per ping (default 0.25)
  --duration S           session length in scene seconds (default: shelving 850, dropoff and
                         multiples 240, others 300)
  --seed N               simulator seed (default 1)
  --settle-pings N       pings left out after the start and after each step of the bottom
                         (default 40)
  --per-ping FILE        also write every ping (CSV) to FILE
  --sim-arg ARG          pass ARG on to ifbsim (repeatable), e.g. --sim-arg --depth-ft=60

A miss counts as on a multiple echo within 4 % + 1 ft of twice or three times the true depth.
Settle from the start: pings from the first until ten searches in a row show a depth within the
band. False depths: pings (settled or not) that show, and so send over NMEA, a depth out of the
band; while hunting: ... when the true bottom lay below the window's foot. False alarms: pings
on which a shallow alarm set 10 % above or a deep alarm set 10 % below the true depth would fire
(only a shown depth more than 10 % off raises one).
The gate column tells the range-gate runs (yes) from the whole-column ones (no).
)";

// The depth range tables have 11 steps; step 7 (500 ft, 200 m, 100 fathoms) holds the shelving
// scene's 400 ft in every unit.
constexpr int kWidestWindowIndex = 11;
constexpr int kGateWindowIndex = 7;

struct Options {
    std::string ifbsim;
    std::vector<std::string> scenes{"shelving", "dropoff",     "soft",
                                    "school",   "second-echo", "clutter"};
    std::vector<double> depths; // flat bottoms instead of scenes
    std::vector<std::string> units{"feet", "metres"};
    std::vector<std::string> screens{"full", "split"};
    RunConfig base;
    bool gate = false;
    int gateAfter = 20;
    double duration = 0;
    int settlePings = 40;
    std::string perPingPath;
};

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty()) items.push_back(item);
    return items;
}

bool Parse(int argc, char** argv, Options& o, std::string& error) {
    o.ifbsim = (std::filesystem::absolute(argv[0]).parent_path() / "ifbsim").string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            std::exit(0);
        }
        if (arg == "--manual") {
            o.base.autoMode = false;
            continue;
        }
        if (arg == "--gate") {
            o.gate = true;
            continue;
        }
        if (arg == "--full-50khz") {
            o.base.fullFrequency = 1;
            continue;
        }
        if (arg == "--range-and-offset") {
            o.base.autoRangeOnly = false;
            continue;
        }
        if (i + 1 >= argc) {
            error = arg + " needs a value (see --help)";
            return false;
        }
        const std::string v = argv[++i];
        try {
            if (arg == "--ifbsim")
                o.ifbsim = v;
            else if (arg == "--scenes")
                o.scenes = SplitList(v);
            else if (arg == "--depths") {
                o.depths.clear();
                for (const std::string& d : SplitList(v))
                    o.depths.push_back(std::stod(d));
            } else if (arg == "--units")
                o.units = SplitList(v);
            else if (arg == "--screens")
                o.screens = SplitList(v);
            else if (arg == "--processing")
                o.base.processingType = std::clamp(std::stoi(v), 0, 3);
            else if (arg == "--clutter-filter")
                o.base.clutterFilter = std::clamp(std::stoi(v), 0, 8);
            else if (arg == "--damping")
                o.base.damping = std::clamp(std::stoi(v), 1, 10);
            else if (arg == "--keel")
                o.base.keelOffsetFt = std::stof(v);
            else if (arg == "--ping-dt")
                o.base.pingDtS = std::max(std::stod(v), 0.01);
            else if (arg == "--duration")
                o.duration = std::stod(v);
            else if (arg == "--seed")
                o.base.seed = std::stoul(v);
            else if (arg == "--settle-pings")
                o.settlePings = std::max(std::stoi(v), 0);
            else if (arg == "--window-index")
                o.base.windowIndex = std::clamp(std::stoi(v), 1, kWidestWindowIndex);
            else if (arg == "--gate-after")
                o.gateAfter = std::max(std::stoi(v), 0);
            else if (arg == "--per-ping")
                o.perPingPath = v;
            else if (arg == "--sim-arg")
                o.base.simulatorArgs.push_back(v);
            else {
                error = "unknown option " + arg + " (see --help)";
                return false;
            }
        } catch (const std::exception&) {
            error = arg + " " + v + ": not a number";
            return false;
        }
    }
    if (o.gate) {
        if (o.base.windowIndex == 0) o.base.windowIndex = kGateWindowIndex;
        o.base.gateAfter = o.gateAfter;
    }
    if (o.base.windowIndex > 0) o.base.autoMode = false;
    return true;
}

double SceneDuration(const std::string& scene) {
    if (scene == "shelving") return 850;
    if (scene == "dropoff" || scene == "multiples") return 240;
    return 300;
}

int UnitsNamed(const std::string& name) {
    if (name == "metres" || name == "meters") return 1;
    if (name == "fathoms") return 2;
    return 0;
}

std::string Percent(int part, int whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f %%", whole > 0 ? 100.0 * part / whole : 0.0);
    return text;
}

std::string SettleText(const Figures& f) {
    if (f.settlePings.empty() && f.unsettledSteps == 0) return "-";
    std::vector<int> p = f.settlePings;
    std::sort(p.begin(), p.end());
    std::string text =
        p.empty() ? "never" : std::to_string(p[p.size() / 2]) + " / " + std::to_string(p.back());
    if (f.unsettledSteps > 0) text += " (" + std::to_string(f.unsettledSteps) + " never)";
    return text;
}

void PrintRow(const std::string& scene, const RunConfig& c, const std::string& units,
              const std::string& screen, const Figures& f) {
    char worst[64];
    std::snprintf(worst, sizeof worst, "%.1f ft at %.0f ft", f.worstFt, f.worstAtFt);
    const std::string fromStart = f.startSettle < 0 ? "never" : std::to_string(f.startSettle);
    std::printf("| %s | %s | %s | %s | %d | %d | %s | %s of %d | %s | %s | %s | %d | %d | %d | %d "
                "| %d | %d of %d | %d (%d) | %d |\n",
                scene.c_str(), units.c_str(), screen.c_str(), c.gateAfter >= 0 ? "yes" : "no",
                f.searched, f.settled, Percent(f.within, f.settled).c_str(),
                Percent(f.steadyWithin, f.steady).c_str(), f.steady, worst, fromStart.c_str(),
                SettleText(f).c_str(), f.multipleEcho, f.fish, f.surface, f.other, f.notFound,
                f.offWindow, f.drawnSettled, f.falseDepths, f.falseWhileHunting, f.falseAlarms);
    std::fflush(stdout);
}

void WritePerPing(std::ofstream& out, const RunConfig& c, const std::string& units,
                  const std::string& screen, const std::vector<PingResult>& results,
                  const std::vector<TruthPing>& truth) {
    const std::size_t n = std::min(results.size(), truth.size());
    for (std::size_t i = 0; i < n; ++i) {
        const PingResult& r = results[i];
        out << c.scene << ',' << units << ',' << screen << ',' << r.ping << ','
            << vz::channelName(r.channel) << ',' << r.discarded << ',' << r.searched << ','
            << r.gate << ',' << truth[i].bottomFt << ',' << r.depthFt << ',' << r.windowTopFt << ','
            << r.windowFootFt << ',' << truth[i].fish << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o;
    std::string error;
    if (!Parse(argc, argv, o, error)) {
        std::fprintf(stderr, "trackacc: %s\n", error.c_str());
        return 2;
    }
    std::ofstream perPing;
    if (!o.perPingPath.empty()) {
        perPing.open(o.perPingPath);
        perPing << "scene,units,screen,ping,channel,discarded,searched,gate,true_ft,tracked_ft,"
                   "window_top_ft,window_foot_ft,fish\n";
    }
    const std::string truthPath = (std::filesystem::temp_directory_path() /
                                   ("trackacc-truth-" + std::to_string(::getpid()) + ".txt"))
                                      .string();

    std::printf("| scene | units | screen | gate | searched | settled | within 2 %% + 0.5 ft | ... "
                "on a steady bottom | worst error | settle pings from the start | settle pings "
                "after a step (median / max) | on a multiple echo | on fish | in surface band | "
                "other misses | no bottom shown | window missed the bottom | false depths (while "
                "hunting) | false alarms |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    // Flat bottoms are the everyday scene held at a depth.
    std::vector<std::pair<std::string, std::string>> runs; // label, scene
    if (o.depths.empty())
        for (const std::string& scene : o.scenes)
            runs.emplace_back(scene, scene);
    for (double d : o.depths) {
        char label[32];
        std::snprintf(label, sizeof label, "flat %g ft", d);
        runs.emplace_back(label, "wandering");
    }
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const auto& [label, scene] = runs[run];
        for (const std::string& units : o.units) {
            for (const std::string& screen : o.screens) {
                RunConfig c = o.base;
                c.scene = scene;
                if (!o.depths.empty() && run < o.depths.size())
                    c.simulatorArgs.push_back("--depth-ft=" + std::to_string(o.depths[run]));
                c.depthUnits = UnitsNamed(units);
                c.split = screen == "split";
                c.durationS = o.duration > 0 ? o.duration : SceneDuration(scene);
                std::vector<PingResult> results;
                std::vector<TruthPing> truth;
                if (!RunTracking(c, o.ifbsim, truthPath, results, error) ||
                    !ReadTruthFile(truthPath, truth, error)) {
                    std::fprintf(stderr, "trackacc: %s %s %s: %s\n", scene.c_str(), units.c_str(),
                                 screen.c_str(), error.c_str());
                    std::filesystem::remove(truthPath);
                    return 1;
                }
                PrintRow(label, c, units, screen, Measure(results, truth, o.settlePings));
                if (perPing.is_open()) WritePerPing(perPing, c, units, screen, results, truth);
            }
        }
    }
    std::filesystem::remove(truthPath);
    return 0;
}
