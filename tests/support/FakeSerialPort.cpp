#include "support/FakeSerialPort.h"

#include <QTimer>

namespace vz::test {

bool FakeSerialPort::open(int comNumber, const std::string& settings,
                          const PortOptions& options) {
    ++openCount_;
    com_ = comNumber;
    settings_ = settings;
    options_ = options;
    open_ = opens_(comNumber);
    return open_;
}

void FakeSerialPort::close() {
    open_ = false;
    pending_.clear();
}

void FakeSerialPort::write(const std::uint8_t* data, std::size_t size) {
    if (!open_) return;
    const Bytes chunk(data, data + size);
    written_.insert(written_.end(), chunk.begin(), chunk.end());
    if (!responder_) return;
    const Bytes answer = responder_(chunk);
    if (answer.empty()) return;
    QTimer::singleShot(0, &deliveries_, [this, answer] {
        if (open_) feedReceived(answer);
    });
}

FakeSerialPort::Bytes FakeSerialPort::readAll() {
    Bytes out;
    out.swap(pending_);
    return out;
}

void FakeSerialPort::discardInput() { pending_.clear(); }

void FakeSerialPort::feedReceived(const Bytes& bytes) {
    queueReceived(bytes);
    raiseReceive();
}

void FakeSerialPort::queueReceived(const Bytes& bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
}

void FakeSerialPort::vanish() {
    open_ = false;
    pending_.clear();
    raiseFailure();
}

} // namespace vz::test
