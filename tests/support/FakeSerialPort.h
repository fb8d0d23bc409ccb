#pragma once
// An in-memory serial port for tests of the protocol and the receive path: the test decides
// whether opening succeeds, feeds received bytes (raising the receive event), reads back what
// was written, makes the port fail, and can answer every write automatically. Answers are
// delivered from the event loop, as a real port delivers them, so waiting loops must process
// events to see them.
#include "platform/SerialPort.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

namespace vz::test {

class FakeSerialPort : public SerialPort {
public:
    using Bytes = std::vector<std::uint8_t>;
    // Given the bytes of one write, returns the bytes the device answers (possibly none).
    using Responder = std::function<Bytes(const Bytes& written)>;

    bool open(int comNumber, const std::string& settings, const PortOptions& options) override;
    void close() override;
    bool isOpen() const override { return open_; }
    void write(const std::uint8_t* data, std::size_t size) override;
    using SerialPort::write;
    int bytesWaiting() override { return static_cast<int>(pending_.size()); }
    Bytes readAll() override;
    void discardInput() override;

    void setOpenResult(bool succeeds) {
        opens_ = [succeeds](int) { return succeeds; };
    }
    // Only this COM number can be opened.
    void openOnlyOn(int comNumber) {
        opens_ = [comNumber](int n) { return n == comNumber; };
    }
    void respondWith(Responder responder) { responder_ = std::move(responder); }
    // Bytes arrive now: stored as waiting input and the receive event raised.
    void feedReceived(const Bytes& bytes);
    // Bytes arrive without an event yet (they wait, as in a busy program).
    void queueReceived(const Bytes& bytes);
    void raiseReceived() { raiseReceive(); }
    // The device goes away while open.
    void vanish();

    const Bytes& writtenData() const { return written_; }
    void clearWritten() { written_.clear(); }
    int openCount() const { return openCount_; }
    int openedCom() const { return com_; }
    const std::string& openedSettings() const { return settings_; }
    const PortOptions& openedOptions() const { return options_; }

private:
    std::function<bool(int)> opens_ = [](int) { return true; };
    bool open_ = false;
    int openCount_ = 0;
    int com_ = 0;
    std::string settings_;
    PortOptions options_;
    Bytes pending_;
    Bytes written_;
    Responder responder_;
    QObject deliveries_; // queued answers die with the port
};

} // namespace vz::test
