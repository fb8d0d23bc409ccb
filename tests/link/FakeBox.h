#pragma once
// A scripted Interface Box behind a FakeSerialPort: answers register writes with the
// acknowledgement, queries with three bytes, and the serial-number, temperature and test-ping
// commands with their replies. Every frame it receives is kept.
#include "support/FakeSerialPort.h"
#include "support/ReplyBuilder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vz::test {

using Bytes = FakeSerialPort::Bytes;

inline Bytes Write(std::uint8_t reg, std::uint8_t value) {
    return {0xFF, 0x01, reg, value, static_cast<std::uint8_t>(0xFE ^ reg ^ value)};
}
inline Bytes Query(std::uint8_t reg) { return {0xFF, 0x02, reg, static_cast<std::uint8_t>(0xFD ^ reg)}; }

class FakeBox {
public:
    // Installs itself as the responder of `port`.
    explicit FakeBox(FakeSerialPort& port) {
        port.respondWith([this](const Bytes& frame) { return answer(frame); });
    }

    std::uint8_t firmware = 10;
    std::array<std::uint8_t, 4> serial{12, 34, 56, 78};
    std::uint16_t temperatureReading = 0;
    int acksToDrop = 0;       // the next register writes that go unanswered (4: a whole write)
    int pingsToIgnore = 0;    // the next test pings get the acknowledgement only
    bool silent = false;      // answers nothing at all

    const std::vector<Bytes>& frames() const { return frames_; }
    int framesOf(std::size_t size) const {
        int n = 0;
        for (const Bytes& f : frames_) n += f.size() == size;
        return n;
    }

private:
    // A test-ping reply (C = 10; samples 40, 60 .. 200, sample interval 50), with the longer
    // trailer from firmware 10 on.
    Bytes testPingReply() const {
        PingReply r;
        for (int k = 2; k <= 10; ++k) r.samples.push_back(static_cast<std::uint8_t>(20 * k));
        r.interval = 50;
        if (firmware > 9) r.intervalTotal = 500;
        return r.bytes();
    }

    Bytes answer(const Bytes& frame) {
        frames_.push_back(frame);
        if (silent) return {};
        if (frame.size() == 4) return {6, frame[2] == 65 ? firmware : std::uint8_t{0}, 0};
        if (frame.size() != 5) return {};
        if (acksToDrop > 0 && acksToDrop--) return {};
        if (frame[2] != 0) return {6};
        switch (frame[3]) {
        case 252: return {6, serial[0], serial[1], serial[2], serial[3], 0, 0, 0, 0};
        case 192: return {6, static_cast<std::uint8_t>(temperatureReading >> 8), static_cast<std::uint8_t>(temperatureReading), 0};
        case 1:
            if (pingsToIgnore > 0 && pingsToIgnore--) return {6};
            return testPingReply();
        default: return {6};
        }
    }

    std::vector<Bytes> frames_;
};

} // namespace vz::test
