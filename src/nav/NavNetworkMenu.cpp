#include "nav/NavNetworkMenu.h"

#include "link/Ports.h"
#include "nav/NavNetworkSettings.h"
#include "nav/NmeaNetworkOutput.h"
#include "platform/Dialogs.h"

#include <QHostAddress>
#include <QString>

namespace vz {

namespace {

struct LinkDialog {
    NetEndpoint State::*endpoint;
    const char* title;
    const char* prompt;
    bool addressOnly;
};

LinkDialog DialogOf(NetLink link) {
    switch (link) {
    case NetLink::Gpsd:
        return {&State::GpsdSource, "GPS from gpsd",
                "Read the GPS through gpsd at this host:port (gpsd's own is localhost:2947).\r\n"
                "Enter 'off' to read it from its COM port.",
                false};
    case NetLink::NmeaUdp:
        return {&State::NmeaUdpOutput, "NMEA over UDP",
                "Send the NMEA sentences as UDP datagrams to this address:port (10110 is the usual "
                "port; a broadcast address such as 192.168.1.255 reaches the whole network).\r\n"
                "Enter 'off' to stop sending.",
                true};
    case NetLink::NmeaTcp:
        break;
    }
    return {
        &State::NmeaTcpOutput, "NMEA over TCP",
        "Serve the NMEA sentences to TCP clients on this address:port (0.0.0.0 listens on every "
        "network; 10110 is the usual port).\r\nEnter 'off' to stop serving.",
        true};
}

std::optional<std::uint16_t> ReadPort(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

} // namespace

std::optional<NetEndpoint> ReadEndpointAnswer(const std::string& answer, const NetEndpoint& current,
                                              bool addressOnly) {
    const QString text = QString::fromStdString(answer).trimmed();
    NetEndpoint e = current;
    if (text.compare("off", Qt::CaseInsensitive) == 0) {
        e.on = false;
        return e;
    }
    const auto colon = text.lastIndexOf(':');
    const QString host = colon >= 0 ? text.left(colon).trimmed() : text;
    const QString port = colon >= 0 ? text.mid(colon + 1).trimmed() : QString();
    if (colon >= 0 || ReadPort(text)) {
        const auto number = ReadPort(colon >= 0 ? port : text);
        if (!number) return std::nullopt;
        e.port = *number;
        if (colon >= 0 && !host.isEmpty()) e.host = host.toStdString();
    } else if (!host.isEmpty()) {
        e.host = host.toStdString();
    } else {
        return std::nullopt;
    }
    const QString newHost = QString::fromStdString(e.host);
    if (addressOnly && QHostAddress(newHost).protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    if (newHost.contains(' ')) return std::nullopt;
    e.on = true;
    return e;
}

void mnuOptionsNetLink_Click(NetLink link) {
    const LinkDialog d = DialogOf(link);
    State& s = state();
    NetEndpoint& endpoint = s.*d.endpoint;
    for (;;) {
        const std::string shown = endpoint.host + ":" + std::to_string(endpoint.port);
        const std::string answer = dialogs().inputBox(d.prompt, d.title, shown);
        if (answer.empty()) return;
        const auto chosen = ReadEndpointAnswer(answer, endpoint, d.addressOnly);
        if (!chosen) {
            dialogs().beep();
            continue;
        }
        endpoint = *chosen;
        break;
    }
    if (!SaveNavNetworkSettings())
        dialogs().messageBox("The network settings could not be written to the data folder.",
                             d.title, MsgButtons::Ok, MsgIcon::Exclamation);
    if (link == NetLink::Gpsd) {
        // The GPS port is opened or left free, and the NMEA output may need a port of its own.
        OpenGpsPort();
        OpenNmeaPort();
        return;
    }
    if (const std::string problem = ApplyNmeaNetworkOutputs(); !problem.empty())
        dialogs().messageBox(problem, d.title, MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace vz
