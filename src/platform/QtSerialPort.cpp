#include "platform/QtSerialPort.h"

#include "platform/Paths.h"
#include "platform/SerialOpenFailure.h"

#include <QStringList>

#include <array>

#include <unistd.h>

namespace vz {

std::optional<LineSettings> ParseLineSettings(const std::string& settings) {
    const QStringList parts = QString::fromStdString(settings).split(',');
    if (parts.size() != 4) return std::nullopt;
    LineSettings line;
    bool ok = false;
    line.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || line.baud <= 0) return std::nullopt;

    const QString parity = parts[1].trimmed().toLower();
    if (parity == "n") line.parity = QSerialPort::NoParity;
    else if (parity == "e") line.parity = QSerialPort::EvenParity;
    else if (parity == "o") line.parity = QSerialPort::OddParity;
    else if (parity == "m") line.parity = QSerialPort::MarkParity;
    else if (parity == "s") line.parity = QSerialPort::SpaceParity;
    else return std::nullopt;

    const int dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8) return std::nullopt;
    line.dataBits = static_cast<QSerialPort::DataBits>(dataBits);

    const QString stop = parts[3].trimmed();
    if (stop == "1") line.stopBits = QSerialPort::OneStop;
    else if (stop == "1.5") line.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == "2") line.stopBits = QSerialPort::TwoStop;
    else return std::nullopt;
    return line;
}

QtSerialPort::QtSerialPort() {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { raiseReceive(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError e) { onError(e); });
}

bool QtSerialPort::open(int comNumber, const std::string& settings, const PortOptions& options) {
    close();
    openFailure_.clear();
    const std::string device = comDevicePath(comNumber);
    const auto line = ParseLineSettings(settings);
    if (device.empty() || !line) return false;

    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(line->baud);
    port_.setParity(line->parity);
    port_.setDataBits(line->dataBits);
    port_.setStopBits(line->stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(options.inputBufferBytes);
    if (!port_.open(QIODevice::ReadWrite)) {
        openFailure_ = DiagnoseOpenFailure(device, port_.error() == QSerialPort::PermissionError,
                                           port_.errorString().toStdString());
        port_.clearError();
        return false;
    }
    // Pseudo-terminals and some adapters have no modem lines; a refused RTS change is harmless.
    if (!options.rtsOn) port_.setRequestToSend(false);
    port_.clearError();
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

bool QtSerialPort::isOpen() const { return port_.isOpen(); }

void QtSerialPort::write(const std::uint8_t* data, std::size_t size) {
    if (!port_.isOpen() || size == 0) return;
    // A command frame fits the driver's buffer: written straight to the device it needs no
    // write-ready notification, which would wake the program once more for every frame.
    if (port_.bytesToWrite() == 0) {
        const ssize_t written = ::write(port_.handle(), data, size);
        if (written > 0) {
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        if (size == 0) return;
    }
    // The rest, and any error, the library handles as usual.
    port_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    // Push the bytes out now rather than at the next turn of the event loop.
    port_.flush();
}

int QtSerialPort::bytesWaiting() {
    return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

std::vector<std::uint8_t> QtSerialPort::readAll() {
    if (!port_.isOpen()) return {};
    const QByteArray bytes = port_.readAll();
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bytes.size()};
}

void QtSerialPort::discardInput() {
    // Both what the driver holds and what the library has already taken in.
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                      error == QSerialPort::WriteError;
    if (!port_.isOpen() || !lost) return;
    // A device that went away keeps signalling errors while open; close it so that it stays quiet
    // until someone opens a port again.
    close();
    raiseFailure();
}

namespace {
std::array<SerialPort*, 3>& installedPorts() {
    static std::array<SerialPort*, 3> ports{};
    return ports;
}

SerialPort& port(std::size_t index) {
    SerialPort*& p = installedPorts()[index];
    // The program's own ports live until it ends.
    if (!p) p = new QtSerialPort;
    return *p;
}
} // namespace

SerialPort& MSComm1() { return port(0); }
SerialPort& MSComm2() { return port(1); }
SerialPort& MSComm3() { return port(2); }

void setSerialPorts(SerialPort* box, SerialPort* gps, SerialPort* nmea) {
    auto& ports = installedPorts();
    if (box) ports[0] = box;
    if (gps) ports[1] = gps;
    if (nmea) ports[2] = nmea;
}

} // namespace vz
