#pragma once
// A scripted Interface Box behind a FakeSerialPort: answers register writes with the
// acknowledgement, queries with three bytes, and the serial-number, temperature and test-ping
// commands with their replies. Every frame it receives is kept.
#include "support/FakeSerialPort.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vz::test {

class FakeBox {
public:
    using Bytes = FakeSerialPort::Bytes;

    // Installs itself as the responder of `port`.
    explicit FakeBox(FakeSerialPort& port);

    std::uint8_t firmware = 10;
    std::array<std::uint8_t, 4> serial{12, 34, 56, 78};
    std::uint16_t temperatureReading = 0;
    bool acknowledges = true;
    int acksToDrop = 0; // the next register writes that go unanswered
    int pingsToIgnore = 0; // the next test pings get the acknowledgement only
    int answersOnlyOnCom = 0; // 0: answers on any COM number
    std::uint16_t sampleInterval = 50;

    const std::vector<Bytes>& frames() const { return frames_; }
    int writeFrames() const;
    int queryFrames() const;

    // A test-ping reply of 10 + 10 + extra bytes whose checksum is right.
    static Bytes PingReply(int extraBytes, std::uint16_t sampleInterval);

private:
    Bytes answer(const Bytes& frame);
    FakeSerialPort& port_;
    std::vector<Bytes> frames_;
};

} // namespace vz::test
