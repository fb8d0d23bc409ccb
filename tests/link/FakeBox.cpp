#include "FakeBox.h"

namespace vz::test {

FakeBox::FakeBox(FakeSerialPort& port) : port_(port) {
    port.respondWith([this](const Bytes& frame) { return answer(frame); });
}

int FakeBox::writeFrames() const {
    int n = 0;
    for (const Bytes& f : frames_) n += f.size() == 5 && f[1] == 0x01;
    return n;
}

int FakeBox::queryFrames() const {
    int n = 0;
    for (const Bytes& f : frames_) n += f.size() == 4 && f[1] == 0x02;
    return n;
}

FakeBox::Bytes FakeBox::PingReply(int extraBytes, std::uint16_t sampleInterval) {
    constexpr int n = 10;
    const int length = n + 10 + extraBytes;
    Bytes reply(static_cast<std::size_t>(length) + 1, 0); // index 0 unused, as in RxBuffer
    reply[1] = 6;
    for (int i = 2; i <= n; ++i) reply[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(20 * i);
    reply[n + 3] = 0;                                   // data offset
    reply[n + 4] = 0x03;                                // multiplier 1000
    reply[n + 5] = 0xE8;
    reply[n + 8] = static_cast<std::uint8_t>(sampleInterval >> 8);
    reply[n + 9] = static_cast<std::uint8_t>(sampleInterval & 0xFF);
    if (extraBytes == 3) {
        const std::uint32_t total = static_cast<std::uint32_t>(sampleInterval) * n;
        reply[n + 10] = static_cast<std::uint8_t>(total >> 16);
        reply[n + 11] = static_cast<std::uint8_t>(total >> 8);
        reply[n + 12] = static_cast<std::uint8_t>(total);
    }
    std::uint8_t check = 0;
    for (int i = 2; i < length; ++i) check ^= reply[static_cast<std::size_t>(i)];
    reply[static_cast<std::size_t>(length)] = check;
    return Bytes(reply.begin() + 1, reply.end());
}

FakeBox::Bytes FakeBox::answer(const Bytes& frame) {
    frames_.push_back(frame);
    if (answersOnlyOnCom != 0 && port_.openedCom() != answersOnlyOnCom) return {};
    if (frame.size() == 4 && frame[1] == 0x02) {
        return {6, frame[2] == 65 ? firmware : std::uint8_t{0}, 0};
    }
    if (frame.size() != 5 || frame[1] != 0x01) return {};
    if (!acknowledges) return {};
    if (acksToDrop > 0) {
        --acksToDrop;
        return {};
    }
    if (frame[2] != 0) return {6};
    switch (frame[3]) {
    case 252: return {6, serial[0], serial[1], serial[2], serial[3], 0, 0, 0, 0};
    case 192:
        return {6, static_cast<std::uint8_t>(temperatureReading >> 8),
                static_cast<std::uint8_t>(temperatureReading & 0xFF), 0};
    case 1:
        if (pingsToIgnore > 0) {
            --pingsToIgnore;
            return {6};
        }
        return PingReply(firmware > 9 ? 3 : 0, sampleInterval);
    default: return {6};
    }
}

} // namespace vz::test
