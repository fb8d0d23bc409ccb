#include "logging/TrackExport.h"

#include "core/Defaults.h"
#include "core/DepthUnits.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "logging/Playback.h"
#include "logging/PlaybackFile.h"
#include "logging/PlaybackLines.h"
#include "logging/PlaybackReader.h"
#include "processing/BottomTracking.h"
#include "processing/DecodePing.h"

#include <QDate>
#include <QTime>

#include <cmath>
#include <cstdlib>

namespace vz {

namespace {

constexpr std::int64_t kProgressStep = 4 * 1024 * 1024;

// "PREFIX DEG  MM.MMMM H": degrees, minutes and the hemisphere letter.
std::optional<double> DegreesFromCaption(std::string_view caption, std::string_view prefix, double limit,
                                         char positive, char negative) {
    if (caption.substr(0, prefix.size()) != prefix || caption.size() < prefix.size() + 3) return std::nullopt;
    const char hemisphere = caption.back();
    if (hemisphere != positive && hemisphere != negative) return std::nullopt;
    const std::string numbers(caption.substr(prefix.size(), caption.size() - prefix.size() - 1));
    char* end = nullptr;
    const long degrees = std::strtol(numbers.c_str(), &end, 10);
    if (end == numbers.c_str()) return std::nullopt;
    const char* minutesText = end;
    const double minutes = std::strtod(minutesText, &end);
    if (end == minutesText || *end != ' ' || degrees < 0 || minutes < 0 || minutes >= 60) return std::nullopt;
    const double value = static_cast<double>(degrees) + minutes / 60.0;
    if (value > limit) return std::nullopt;
    return hemisphere == positive ? value : -value;
}

bool LooksLikeRecording(const PlaybackFile& file) {
    return file.header1().ends_with("*****") && file.header2().starts_with("Opened at:");
}

void UseUnits(State& s, std::int16_t units) {
    s.DepthUnits = units;
    s.DepthUnitsText = units == 1 ? " Mtr" : units == 2 ? " Fa" : " Ft";
}

// The recording's clock: the header's date, a day later each time the time of day goes back.
class RecordClock {
public:
    explicit RecordClock(const std::string& date) : date_(QDate::fromString(QString::fromStdString(date), Qt::ISODate)) {}
    std::string dateTime(const std::string& timeText) {
        const QTime time = QTime::fromString(QString::fromStdString(timeText), "hh:mm:ss");
        if (!time.isValid()) return {};
        if (last_.isValid() && time < last_) date_ = date_.addDays(1);
        last_ = time;
        const QString date = date_.isValid() ? date_.toString(Qt::ISODate) : QString("0000-00-00");
        return (date + "T" + time.toString("hh:mm:ss")).toStdString();
    }

private:
    QDate date_;
    QTime last_;
};

TrackPoint PointOf(const State& s, RecordClock& clock) {
    TrackPoint p;
    p.dateTime = clock.dateTime(s.TimeText);
    p.latitude = LatitudeFromCaption(s.LatCaption);
    p.longitude = LongitudeFromCaption(s.LongCaption);
    if (!p.latitude || !p.longitude) p.latitude = p.longitude = std::nullopt;
    p.speedKnots = s.GpsSpeed;
    if (s.WaterTemperature != kNoWaterTemperature) p.waterTemperatureF = s.WaterTemperature;
    p.units = s.DepthUnits == 1 ? "Mtr" : s.DepthUnits == 2 ? "Fa" : "Ft";
    if (s.BottomDepth > 0) {
        p.depth = s.DisplayDepth;
        p.depthMetres = s.DisplayDepth * FeetPerDepthUnit(s.DepthUnits) / FeetPerDepthUnit(1);
    }
    p.channel = s.SplitScreen == 0 ? Channel::Full : s.LeftSideNow ? Channel::Left : Channel::Right;
    return p;
}

} // namespace

std::optional<std::int16_t> UnitsOfTemperatureLine(std::string_view line) {
    if (line.ends_with(" Ft")) return 0;
    if (line.ends_with(" Mtr")) return 1;
    if (line.ends_with(" Fa")) return 2;
    return std::nullopt;
}

std::optional<float> DepthOfTemperatureLine(std::string_view line) {
    const std::size_t at = line.find("Depth=");
    if (at == std::string_view::npos) return std::nullopt;
    const std::string text(line.substr(at + 6));
    char* end = nullptr;
    const double depth = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !(depth > 0)) return std::nullopt;
    return static_cast<float>(depth);
}

std::optional<double> LatitudeFromCaption(std::string_view caption) {
    return DegreesFromCaption(caption, "Lat: ", 90, 'N', 'S');
}

std::optional<double> LongitudeFromCaption(std::string_view caption) {
    return DegreesFromCaption(caption, "Lon: ", 180, 'E', 'W');
}

void PrepareTrackExport() {
    State& s = state();
    BuildStartupTables();
    LoadDefaultsIntoRam();
    s.AutoMode = 0;
    s.ShowRangeGate = 0;
    s.PlaybackMode = true;
}

ExportOutcome ExportRecording(const std::string& path, const std::function<void(const TrackPoint&)>& point,
                              const std::function<void(std::int64_t, std::int64_t)>& progress,
                              const std::function<void()>& decoded) {
    State& s = state();
    PlaybackFile file;
    if (!file.open(path)) return ExportOutcome::CannotOpen;
    if (!LooksLikeRecording(file)) return ExportOutcome::NotARecording;
    s.PlaybackHeader1 = file.header1();
    s.PlaybackHeader2 = file.header2();
    s.TrailerExtraBytes = static_cast<std::int16_t>(TrailerExtraBytesFromHeader(file.header1()));
    RecordClock clock(RecordingDate(file.header2()));
    const std::int64_t size = file.size();
    std::int64_t nextReport = 0;
    long records = 0;
    std::optional<float> recordedDepth;
    const PlaybackLineSeen seen = [&s, &recordedDepth](PlaybackLineKind kind, std::string_view line, std::int64_t) {
        if (kind != PlaybackLineKind::Temperature) return;
        if (const auto units = UnitsOfTemperatureLine(line); units && *units != s.DepthUnits) UseUnits(s, *units);
        recordedDepth = DepthOfTemperatureLine(line);
    };
    for (;;) {
        // As the ping cycle before each tick: Split screen alternates Left and Right.
        if (s.SplitScreen != 0) s.LeftSideNow = !s.LeftSideNow;
        if (ReadUpToRecord(file, s, seen) != RecordRead::Record) break;
        ++records;
        std::uint8_t packetError = 0;
        DecodePing(packetError);
        if (packetError == 0) {
            if (s.ClutterFilter > 0) ApplyClutterFilter();
            if (decoded) decoded();
            TrackBottom();
        }
        TrackPoint p = PointOf(s, clock);
        p.recordedDepth = recordedDepth;
        recordedDepth.reset();
        point(p);
        if (progress && file.position() >= nextReport) {
            progress(file.position(), size);
            nextReport = file.position() + kProgressStep;
        }
    }
    if (progress) progress(file.position(), size);
    return records > 0 ? ExportOutcome::Exported : ExportOutcome::NotARecording;
}

} // namespace vz
