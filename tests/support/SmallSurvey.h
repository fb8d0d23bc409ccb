#pragma once
// A short Full-screen recording written with the recorder's own line writers: a GPS line every
// tenth record with the boat moving east and a little north, and replies whose bottom echo
// deepens and shoals, so that columns and track points differ from one another.
#include "logging/ScreenDataLines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace vz::test {

constexpr int kSurveySamples = 400;  // 60 ft at 0.151 ft a sample
constexpr int kSurveyRecordsPerFix = 10;

inline void WriteSmallSurvey(const std::string& path, int records) {
    std::ofstream out(path, std::ios::binary);
    out << Header1Line("3.16", 8) << "\r\n" << Header2Line("I6120609.00I", "12-06-2026", "09:00:00") << "\r\n";
    const ChannelBlock block{1, 1, 1, 50, 20, 236, 3, 0, (kSurveySamples + 10) / 256, (kSurveySamples + 10) % 256,
                             1, 10, 0, 1, 0, 120};
    out << " \r\n" << ChannelLine(Channel::Full, block) << "\r\n";
    std::vector<std::uint8_t> reply(kSurveySamples + 10);
    for (int k = 0; k < records; ++k) {
        const double depth = 30 + 12 * std::sin(k / 7.0);
        char line[96];
        std::snprintf(line, sizeof line, "T: 68.00   Depth= %.2f Ft", depth);
        out << line << "\r\n";
        if (k % kSurveyRecordsPerFix == 0) {
            const int fix = k / kSurveyRecordsPerFix;
            std::snprintf(line, sizeof line, "GPS: Lat: 49  16.%04d N  Lon: 123  11.%04d W   2.50", 4500 + 3 * fix,
                          1200 - 20 * fix);
            out << line << "\r\n";
        }
        const int bottom = static_cast<int>(depth / 0.151);
        reply[0] = 6;
        for (int i = 1; i < kSurveySamples; ++i) {
            const int echo = i < 12 ? 200 - 12 * i : i >= bottom && i < bottom + 20 ? 250 - 8 * (i - bottom) : 0;
            reply[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::min(255, 20 + (i * 7 + k * 13) % 40 + echo));
        }
        const std::uint8_t trailer[10] = {0x5A, 0xA5, 0, 0x03, 0xE8, 0, 0, 0, 61, 0};
        std::copy(std::begin(trailer), std::end(trailer), reply.begin() + kSurveySamples);
        char time[16];
        std::snprintf(time, sizeof time, "09:%02d:%02d", k / 60 % 60, k % 60);
        out << DataRecordLine(time, reply.data(), static_cast<int>(reply.size())) << "\r\n";
    }
}

} // namespace vz::test
