// Going through hours of recording: exporting the depth track of a one-hour recording (decode,
// bottom tracking, CSV and GPX), drawing its echogram as PNG pages, indexing it for the playback
// bar, and jumping in it.
#include "core/State.h"
#include "logging/EchogramExport.h"
#include "logging/Playback.h"
#include "logging/PlaybackIndex.h"
#include "logging/ScreenDataLines.h"
#include "logging/TrackExport.h"
#include "logging/TrackWriters.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <streambuf>

#include <sys/resource.h>

namespace vz {
namespace {

constexpr int kPingsPerSecond = 10; // a real box at chart speed 8 and 100 ft gives about 8
constexpr int kSeconds = 3600;
constexpr int kSamples = 677;       // 100 ft at 0.151 ft a sample

// Writes one hour of Full-screen recording: a temperature line per ping, a GPS line a second, a
// reply of 690 bytes with noise, surface clutter and a bottom wandering between 25 and 90 ft.
std::string WriteHour(const QTemporaryDir& dir) {
    const std::string path = dir.filePath("I6061210.00I").toStdString();
    std::ofstream out(path, std::ios::binary);
    out << Header1Line("3.16", 8) << "\r\n" << Header2Line("I6061210.00I", "06-12-2026", "10:00:00") << "\r\n";
    ChannelBlock block{1, 1, 1, 50, 20, 236, 3, 0, (kSamples + 10) / 256, (kSamples + 10) % 256, 1, 10, 0, 1, 0, 120};
    out << " \r\n" << ChannelLine(Channel::Full, block) << "\r\n";
    std::uint32_t seed = 7;
    std::vector<std::uint8_t> reply(kSamples + 11);
    for (int ping = 0; ping < kSeconds * kPingsPerSecond; ++ping) {
        const double t = static_cast<double>(ping) / kPingsPerSecond;
        const int second = static_cast<int>(t);
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", 10 + second / 3600, second / 60 % 60, second % 60);
        const double depth = 57.5 + 32.5 * std::sin(t / 300.0);
        char line[96];
        std::snprintf(line, sizeof line, "T: 68.%02d   Depth= %.2f Ft", ping % 100, depth);
        out << line << "\r\n";
        if (ping % kPingsPerSecond == 0) {
            std::snprintf(line, sizeof line, "GPS: Lat: 49  16.4500 N  Lon: 123  %07.4f W   2.37", 11.12 - t * 1e-5);
            out << line << "\r\n";
        }
        const int bottom = static_cast<int>(depth / 0.151);
        reply[0] = 6;
        for (int i = 1; i < kSamples; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) % 16) + 14;
            const int echo = i < 15 ? 220 - 10 * i : i >= bottom && i < bottom + 25 ? 240 - 6 * (i - bottom) : 0;
            reply[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::min(255, noise + echo));
        }
        const std::uint8_t trailer[10] = {0x5A, 0xA5, 0, 0x03, 0xE8, 0, 0, 0, 61, 0};
        std::copy(std::begin(trailer), std::end(trailer), reply.begin() + kSamples);
        out << DataRecordLine(time, reply.data(), static_cast<int>(reply.size())) << "\r\n";
    }
    return path;
}

const std::string& HourPath() {
    static QTemporaryDir dir;
    static const std::string path = WriteHour(dir);
    return path;
}

// Output that goes nowhere, as fast as a stream can take it.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

long MaxRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void BM_ExportHour(benchmark::State& st) {
    const std::string& path = HourPath();
    NullBuffer nothing;
    std::ostream out(&nothing);
    const long rssBefore = MaxRssKb();
    long records = 0;
    for (auto _ : st) {
        PrepareTrackExport();
        CsvTrackWriter csv(out);
        GpxTrackWriter gpx(out, "hour");
        ExportRecording(path, [&](const TrackPoint& p) {
            ++records;
            csv.write(p);
            gpx.write(p);
        });
        gpx.finish();
    }
    st.SetItemsProcessed(records);
    st.counters["real_time_x"] = benchmark::Counter(static_cast<double>(kSeconds) * static_cast<double>(st.iterations()),
                                                    benchmark::Counter::kIsRate);
    st.counters["rss_growth_MB"] = static_cast<double>(MaxRssKb() - rssBefore) / 1024.0;
}
BENCHMARK(BM_ExportHour)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The whole hour as echogram pages of 1200 columns, written as PNG files.
void BM_EchogramPngHour(benchmark::State& st) {
    const std::string& path = HourPath();
    QTemporaryDir pagesDir;
    int pages = 0;
    for (auto _ : st) {
        PrepareEchogramExport();
        EchogramPages echogram(1200, [&pagesDir](const QImage& page, int n) {
            return page.save(pagesDir.filePath(QString("hour-%1.png").arg(n, 3, 10, QChar('0'))), "PNG");
        });
        ExportRecording(path, [](const TrackPoint&) {}, {}, EchogramColumnTaker(echogram));
        echogram.finish();
        pages = echogram.pages();
    }
    st.counters["pages"] = pages;
}
BENCHMARK(BM_EchogramPngHour)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_IndexHour(benchmark::State& st) {
    const std::string& path = HourPath();
    for (auto _ : st) {
        PlaybackIndex index;
        index.build(path);
        benchmark::DoNotOptimize(index.records());
    }
}
BENCHMARK(BM_IndexHour)->Unit(benchmark::kMillisecond)->UseRealTime();

// A jump anywhere in the hour once the file is indexed.
void BM_SeekInHour(benchmark::State& st) {
    PrepareTrackExport();
    state().ScreenDataFile = HourPath();
    StartWithPlayback(HourPath());
    SeekPlayback(0); // indexes the file
    std::uint32_t seed = 3;
    for (auto _ : st) {
        seed = seed * 1103515245u + 12345u;
        SeekPlayback((seed >> 8) % (kSeconds * kPingsPerSecond));
    }
}
BENCHMARK(BM_SeekInHour)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vz
