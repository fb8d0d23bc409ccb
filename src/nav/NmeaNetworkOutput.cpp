#include "nav/NmeaNetworkOutput.h"

#include "core/State.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <vector>

namespace vz {

namespace {

// A client that takes less than this is dropped rather than let its backlog grow.
constexpr qint64 kMostUnsentBytes = 64 * 1024;

class NetworkOutputs {
  public:
    NetworkOutputs() {
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { acceptClients(); });
    }

    std::string apply(const State& s) {
        udp_ = s.NmeaUdpOutput;
        const NetEndpoint& tcp = s.NmeaTcpOutput;
        const bool moved = !server_.isListening() ||
                           server_.serverAddress() != QHostAddress(q(tcp.host)) ||
                           server_.serverPort() != tcp.port;
        if (!tcp.on || moved) stopServer();
        if (!tcp.on || server_.isListening()) return {};
        if (server_.listen(QHostAddress(q(tcp.host)), tcp.port)) return {};
        const std::string error = server_.errorString().toStdString();
        return "The NMEA TCP server cannot listen on " + tcp.host + ":" + std::to_string(tcp.port) +
               ": " + error + ".";
    }

    void send(const std::string& text) {
        if (udp_.on) sendDatagrams(text);
        const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
        for (const QPointer<QTcpSocket>& client : clients_) {
            if (!client || client->state() != QAbstractSocket::ConnectedState) continue;
            if (client->bytesToWrite() > kMostUnsentBytes)
                client->abort();
            else
                client->write(bytes);
        }
        dropGoneClients();
    }

    int clientCount() {
        dropGoneClients();
        return static_cast<int>(clients_.size());
    }

  private:
    static QString q(const std::string& s) { return QString::fromStdString(s); }

    // One sentence a datagram: what listeners of NMEA over UDP expect.
    void sendDatagrams(const std::string& text) {
        const QHostAddress to(q(udp_.host));
        for (std::size_t from = 0; from < text.size();) {
            std::size_t end = text.find('\n', from);
            end = end == std::string::npos ? text.size() : end + 1;
            udpSocket_.writeDatagram(text.data() + from, static_cast<qint64>(end - from), to,
                                     udp_.port);
            from = end;
        }
    }

    void acceptClients() {
        while (QTcpSocket* client = server_.nextPendingConnection()) {
            // What a client sends is of no use here.
            QObject::connect(client, &QTcpSocket::readyRead, client,
                             [client] { client->readAll(); });
            QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
            clients_.emplace_back(client);
        }
    }

    void dropGoneClients() {
        std::erase_if(clients_, [](const QPointer<QTcpSocket>& c) {
            return !c || c->state() == QAbstractSocket::UnconnectedState;
        });
    }

    void stopServer() {
        server_.close();
        for (const QPointer<QTcpSocket>& client : clients_) {
            if (client) client->abort();
        }
        clients_.clear();
    }

    NetEndpoint udp_;
    QUdpSocket udpSocket_;
    QTcpServer server_;
    std::vector<QPointer<QTcpSocket>> clients_;
};

NetworkOutputs& outputs() {
    static NetworkOutputs* o = new NetworkOutputs; // lives until the program ends
    return *o;
}

} // namespace

std::string ApplyNmeaNetworkOutputs() {
    return outputs().apply(state());
}
void SendNmeaOverNetwork(const std::string& text) {
    outputs().send(text);
}
int NmeaTcpClientCount() {
    return outputs().clientCount();
}

} // namespace vz
