// Per-ping cost of the echogram: decoding a reply, drawing its column and the read-outs, and
// presenting and scrolling, against one plain copy of a hidden surface as the yardstick.
#include "core/StartupTables.h"
#include "core/State.h"
#include "display/EchoColumn.h"
#include "display/Overlay.h"
#include "display/Scrolling.h"
#include "display/Surfaces.h"
#include "platform/Events.h"
#include "processing/DecodePing.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace vz {
namespace {

// A reply as the box sends it: entry 1, N - 1 samples, two spare bytes, the trailer and the
// checksum; `E` extra trailer bytes carry the interval total.
std::vector<std::uint8_t> MakeReply(int n, int e, int interval) {
    std::vector<std::uint8_t> r(static_cast<std::size_t>(n + 10 + e + 1)); // r[0] unused: entries from 1
    std::uint32_t seed = 12345;
    for (std::size_t i = 2; i <= static_cast<std::size_t>(n); ++i) {
        seed = seed * 1103515245u + 12345u;
        r.at(i) = static_cast<std::uint8_t>((seed >> 16) % 256);
    }
    const int l = n + 10 + e;
    auto back = [&](int k) -> std::uint8_t& { return r[static_cast<std::size_t>(l - k - e)]; };
    back(7) = 10;                                     // offset
    back(6) = 1000 / 256; back(5) = 1000 % 256;       // multiplier 1.000
    back(4) = 0; back(3) = 40;                        // delay
    back(2) = static_cast<std::uint8_t>(interval / 256); back(1) = static_cast<std::uint8_t>(interval % 256);
    if (e == 3) {
        const int total = interval * n;
        r[l - 3] = static_cast<std::uint8_t>(total >> 16);
        r[l - 2] = static_cast<std::uint8_t>(total >> 8);
        r[l - 1] = static_cast<std::uint8_t>(total);
    }
    std::uint8_t x = 0;
    for (int i = 2; i < l; ++i) x ^= r[i];
    r[l] = x;
    return r;
}

struct Ping {
    std::vector<std::uint8_t> reply;
    int e;
    std::int16_t range;
};

// The typical reply (700 samples over 100 ft) and the largest the buffer holds (32000 bytes over
// 5000 ft).
Ping PingOfSize(int samples) {
    if (samples <= 700) return {MakeReply(700, 0, 58), 0, 4};
    return {MakeReply(kRxBufferLast - 13, 3, 63), 3, 11};
}

void Load(const Ping& p) {
    State& s = state();
    std::copy(p.reply.begin(), p.reply.end(), s.RxBuffer.begin());
    s.PacketLength = static_cast<std::int32_t>(p.reply.size()) - 1;
    s.TrailerExtraBytes = static_cast<std::int16_t>(p.e);
    s.RxCount = s.PacketLength;
    s.Full.DepthRange = p.range;
}

void SetUpState() {
    State& s = state();
    BuildStartupTables();
    s.SoundSpeed = 0.0024755f;
    s.PingProcessing = 0x81;
    s.Full.Ascope = 1;
    s.Full.DepthOffset = 1;
    s.ShowWhiteLine = 1;
    s.ShowRangeGate = 1;
    s.NoiseFilter = 3;
    s.ShowDepth = s.ShowWaterTemp = s.ShowGpsSpeed = 1;
    s.GpsPort = 2;
    s.BottomDepth = s.DisplayDepth = 42.5f;
    s.WaterTemperature = 61.3f;
    s.GpsSpeed = 4.2f;
    for (int level = 0; level < 16; ++level) s.ColorTable[level] = kPalette[level];
}

void BM_PlainSurfaceCopy(benchmark::State& st) {
    for (auto _ : st) pictHiddenB().copyRect(pictHiddenA(), 0, 0, 1001, 601, 0, 0);
}
BENCHMARK(BM_PlainSurfaceCopy);

// Includes restoring the raw reply (DecodePing converts in place): one copy of the reply.
void BM_DecodePing(benchmark::State& st) {
    const Ping p = PingOfSize(static_cast<int>(st.range(0)));
    std::uint8_t error = 0;
    for (auto _ : st) {
        Load(p);
        DecodePing(error);
        benchmark::DoNotOptimize(error);
    }
}
BENCHMARK(BM_DecodePing)->Arg(700)->Arg(32000);

void BM_DrawEchoColumn(benchmark::State& st) {
    Load(PingOfSize(static_cast<int>(st.range(0))));
    std::uint8_t error = 0;
    DecodePing(error);
    for (auto _ : st) DrawEchoColumn();
}
BENCHMARK(BM_DrawEchoColumn)->Arg(700)->Arg(32000);

void BM_DrawOverlay(benchmark::State& st) {
    for (auto _ : st) DrawOverlay();
}
BENCHMARK(BM_DrawOverlay);

void BM_ScrollAndPresent(benchmark::State& st) {
    for (auto _ : st) ScrollAndPresent();
}
BENCHMARK(BM_ScrollAndPresent);

void BM_ScrollAndPresentWithoutEvents(benchmark::State& st) {
    for (auto _ : st) ScrollAndPresent([] {});
}
BENCHMARK(BM_ScrollAndPresentWithoutEvents);

// For comparison: draining with the waiting loops' ProcessEvents, which pauses each time.
void BM_ScrollAndPresentWithWaitingLoopEvents(benchmark::State& st) {
    for (auto _ : st) ScrollAndPresent([] { ProcessEvents(); });
}
BENCHMARK(BM_ScrollAndPresentWithWaitingLoopEvents);

// Everything one ping costs the display in Full screen: decode, column, read-outs, scroll.
void BM_WholePing(benchmark::State& st) {
    const Ping p = PingOfSize(static_cast<int>(st.range(0)));
    std::uint8_t error = 0;
    for (auto _ : st) {
        Load(p);
        DecodePing(error);
        DrawEchoColumn();
        DrawOverlay();
        ScrollAndPresent();
    }
}
BENCHMARK(BM_WholePing)->Arg(700)->Arg(32000);

} // namespace
} // namespace vz

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv); // text needs fonts
    vz::SetUpState();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
