#pragma once
// The serial port on Qt: COM numbers map to device paths (comDevicePath), bytes pass through
// unchanged, readyRead becomes the receive event, and a port that fails while open (device
// removed, the other end gone) is closed and reported through the failure event.
#include "platform/SerialPort.h"

#include <QSerialPort>

#include <optional>

namespace vz {

// "115200,n,8,1" taken apart: speed, parity letter (n, e, o, m, s), data bits, stop bits
// (1, 1.5, 2). Nothing when the text is not of that form.
struct LineSettings {
    qint32 baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};
std::optional<LineSettings> ParseLineSettings(const std::string& settings);

class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    bool open(int comNumber, const std::string& settings, const PortOptions& options) override;
    void close() override;
    std::string openFailure() const override { return openFailure_; }
    bool isOpen() const override;
    void write(const std::uint8_t* data, std::size_t size) override;
    using SerialPort::write;
    int bytesWaiting() override;
    std::vector<std::uint8_t> readAll() override;
    void discardInput() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    std::string openFailure_;
};

} // namespace vz
