#include "nav/GpsdSource.h"

#include "core/State.h"
#include "link/Ports.h"
#include "nav/GpsInput.h"

#include <QTcpSocket>

namespace vz {

namespace {

class GpsdConnection {
  public:
    GpsdConnection() {
        QObject::connect(&socket_, &QTcpSocket::connected,
                         [this] { socket_.write(kGpsdWatchCommand); });
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { takeLines(); });
        // A refused connection and a gpsd that goes away both end here.
        QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this] { lost(); });
        QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { lost(); });
    }

    void start(const NetEndpoint& gpsd) {
        stop();
        wanted_ = true;
        socket_.connectToHost(QString::fromStdString(gpsd.host), gpsd.port);
    }
    void stop() {
        wanted_ = false;
        socket_.abort();
        partial_.clear();
    }
    bool connected() const { return socket_.state() != QAbstractSocket::UnconnectedState; }

  private:
    // gpsd's own reports are JSON lines; only the receiver's sentences ("$...") go on.
    void takeLines() {
        partial_ += socket_.readAll();
        for (qsizetype end = partial_.indexOf('\n'); end >= 0; end = partial_.indexOf('\n')) {
            const QByteArray line = partial_.left(end + 1);
            partial_.remove(0, end + 1);
            if (line.startsWith('$'))
                AppendGpsBytes(reinterpret_cast<const std::uint8_t*>(line.constData()),
                               static_cast<std::size_t>(line.size()));
        }
        // A line longer than any sentence is not one.
        if (partial_.size() > 4096) partial_.clear();
    }
    void lost() {
        partial_.clear();
        if (wanted_) ScheduleReopen();
    }

    QTcpSocket socket_;
    QByteArray partial_;
    bool wanted_ = false;
};

GpsdConnection& connection() {
    static GpsdConnection* c = new GpsdConnection; // lives until the program ends
    return *c;
}

} // namespace

void StartGpsdSource() {
    connection().start(state().GpsdSource);
}
void StopGpsdSource() {
    connection().stop();
}
bool GpsdSourceConnected() {
    return connection().connected();
}

} // namespace vz
