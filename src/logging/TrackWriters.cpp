#include "logging/TrackWriters.h"

#include <cstdio>

namespace vz {

namespace {

const char* const kChannelNames[] = {"Full", "Left", "Right"};

std::string Fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

template <class T> std::string FixedOrEmpty(const std::optional<T>& value, int decimals) {
    return value ? Fixed(static_cast<double>(*value), decimals) : std::string();
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

CsvTrackWriter::CsvTrackWriter(std::ostream& out) : out_(out) {
    out_ << "time,latitude,longitude,speed_kn,water_temp_f,depth,depth_units,depth_m,channel\n";
}

void CsvTrackWriter::write(const TrackPoint& p) {
    out_ << p.dateTime << ',' << FixedOrEmpty(p.latitude, 6) << ',' << FixedOrEmpty(p.longitude, 6) << ','
         << Fixed(p.speedKnots, 2) << ',' << FixedOrEmpty(p.waterTemperatureF, 2) << ','
         << FixedOrEmpty(p.depth, 2) << ',' << p.units << ',' << FixedOrEmpty(p.depthMetres, 2) << ','
         << kChannelNames[static_cast<int>(p.channel)] << '\n';
}

GpxTrackWriter::GpxTrackWriter(std::ostream& out, const std::string& name) : out_(out) {
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gpx version=\"1.1\" creator=\"vodazuzovi-export\"\n"
            "     xmlns=\"http://www.topografix.com/GPX/1/1\"\n"
            "     xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\"\n"
            "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
            "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
            "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
            "  <trk>\n    <name>"
         << Escaped(name) << "</name>\n";
}

void GpxTrackWriter::beginSegment() {
    endSegment();
    out_ << "    <trkseg>\n";
    inSegment_ = true;
}

void GpxTrackWriter::endSegment() {
    if (inSegment_) out_ << "    </trkseg>\n";
    inSegment_ = false;
}

bool GpxTrackWriter::write(const TrackPoint& p) {
    if (!p.latitude || !p.longitude) return false;
    if (!inSegment_) beginSegment();
    out_ << "      <trkpt lat=\"" << Fixed(*p.latitude, 7) << "\" lon=\"" << Fixed(*p.longitude, 7) << "\">";
    if (!p.dateTime.empty()) out_ << "<time>" << p.dateTime << "</time>";
    if (p.waterTemperatureF || p.depthMetres) {
        // The extension's order: water temperature before depth.
        out_ << "<extensions><gpxtpx:TrackPointExtension>";
        if (p.waterTemperatureF) out_ << "<gpxtpx:wtemp>" << Fixed((*p.waterTemperatureF - 32.0) * 5.0 / 9.0, 2) << "</gpxtpx:wtemp>";
        if (p.depthMetres) out_ << "<gpxtpx:depth>" << Fixed(*p.depthMetres, 2) << "</gpxtpx:depth>";
        out_ << "</gpxtpx:TrackPointExtension></extensions>";
    }
    out_ << "</trkpt>\n";
    return true;
}

void GpxTrackWriter::finish() {
    endSegment();
    out_ << "  </trk>\n</gpx>\n";
}

} // namespace vz
