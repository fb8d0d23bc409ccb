#include "logging/ScreenDataLines.h"

#include "core/SettingsNumbers.h"
#include "display/NumberFormat.h"

#include <cstdio>

namespace vz {

namespace {

constexpr int kPrintZone = 14;
constexpr int kChannelBlockBytes = 16;

} // namespace

std::string ScreenDataFileName(const std::string& date, const std::string& time, int sequence) {
    std::string name = "I";
    name.append(date, 9, 1).append(date, 0, 2).append(date, 3, 2).append(time, 0, 2);
    if (sequence > 1) name += static_cast<char>('A' + sequence - 1);
    name.append(".").append(time, 3, 2).append("I");
    return name;
}

std::string Header1Line(const std::string& version, int firmware) {
    return version + " " + FormatSettingsNumber(std::int64_t{firmware}) + " " + std::string(39, '*');
}

std::string Header2Line(const std::string& fileName, const std::string& date,
                        const std::string& time) {
    std::string line = " Opened at: " + fileName + date;
    line.resize((line.size() / kPrintZone + 1) * kPrintZone, ' ');
    return line + time;
}

std::string ChannelLine(Channel channel, const ChannelBlock& block) {
    std::string line = channel == Channel::Full ? "F: " : channel == Channel::Left ? "L: " : "R: ";
    for (int i = 0; i < kChannelBlockBytes; ++i) {
        line += FormatSettingsNumber(std::int64_t{block[static_cast<std::size_t>(i)]});
    }
    return line;
}

std::string TemperatureDepthLine(float temperatureF, float depth, const std::string& unitsText) {
    return "T: " + FormatNumber(temperatureF, "##.#0") + "   Depth= " +
           FormatNumber(depth, "####.##") + unitsText;
}

std::string GpsLine(const std::string& latCaption, const std::string& longCaption,
                    float speedKnots) {
    std::string speed = FormatSettingsNumber(speedKnots);
    speed.pop_back(); // the number item's trailing blank
    return "GPS: " + latCaption + "  " + longCaption + "  " + speed;
}

std::string DataRecordLine(const std::string& time, const std::uint8_t* bytes, int count) {
    std::string line;
    line.reserve(time.size() + 2 + 4 * static_cast<std::size_t>(count > 0 ? count : 0));
    line += time;
    line += ' ';
    char item[8];
    for (int i = 0; i < count; ++i) {
        const int n = std::snprintf(item, sizeof item, " %u", static_cast<unsigned>(bytes[i]));
        line.append(item, static_cast<std::size_t>(n));
    }
    line += ' ';
    return line;
}

std::string ClosingLine(const std::string& time) { return "Closed at: " + time; }

} // namespace vz
