#include "nav/NavNetworkSettings.h"

#include "core/State.h"
#include "platform/Paths.h"

#include <QSettings>

namespace vz {

namespace {

struct Section {
    const char* name;
    NetEndpoint State::*endpoint;
};
constexpr Section kSections[] = {
    {"gpsd", &State::GpsdSource},
    {"nmea-udp", &State::NmeaUdpOutput},
    {"nmea-tcp", &State::NmeaTcpOutput},
};

QString filePath() {
    return QString::fromStdString(dataFolder() + "/navigation.ini");
}

} // namespace

void LoadNavNetworkSettings() {
    QSettings settings(filePath(), QSettings::IniFormat);
    State& s = state();
    for (const Section& section : kSections) {
        NetEndpoint& e = s.*section.endpoint;
        settings.beginGroup(section.name);
        e.on = settings.value("on", e.on).toBool();
        e.host = settings.value("host", QString::fromStdString(e.host)).toString().toStdString();
        const uint port = settings.value("port", e.port).toUInt();
        if (port >= 1 && port <= 65535) e.port = static_cast<std::uint16_t>(port);
        settings.endGroup();
    }
}

bool SaveNavNetworkSettings() {
    QSettings settings(filePath(), QSettings::IniFormat);
    const State& s = state();
    for (const Section& section : kSections) {
        const NetEndpoint& e = s.*section.endpoint;
        settings.beginGroup(section.name);
        settings.setValue("on", e.on);
        settings.setValue("host", QString::fromStdString(e.host));
        settings.setValue("port", e.port);
        settings.endGroup();
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace vz
