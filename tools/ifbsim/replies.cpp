#include "replies.h"

#include <algorithm>
#include <cassert>

namespace ifbsim {

Bytes ackReply() {
    return {kAck};
}

Bytes queryReply(uint8_t value) {
    return {kAck, value, static_cast<uint8_t>(kAck ^ value)};
}

bool serialRepresentable(uint64_t serial) {
    return serial / 10'000'000 <= 255 && serial % 1'000 <= 255;
}

Bytes serialReply(uint32_t serial) {
    assert(serialRepresentable(serial));
    const auto b2 = static_cast<uint8_t>(serial / 10'000'000);
    const auto b3 = static_cast<uint8_t>(serial / 100'000 % 100);
    const auto b4 = static_cast<uint8_t>(serial / 1'000 % 100);
    const auto b5 = static_cast<uint8_t>(serial % 1'000);
    return {kAck, b2, b3, b4, b5, 0, 0, static_cast<uint8_t>(b2 ^ b3 ^ b4 ^ b5)};
}

Bytes temperatureReply(uint16_t reading) {
    const auto hi = static_cast<uint8_t>(reading >> 8);
    const auto lo = static_cast<uint8_t>(reading & 0xFF);
    return {kAck, hi, lo, static_cast<uint8_t>(hi ^ lo)};
}

Bytes encodePingReply(const std::vector<uint8_t>& samples, const PingSetup& setup, int extraBytes,
                      uint8_t free1, uint8_t free2) {
    const int c = setup.count;
    const int length = c + 10 + extraBytes;
    Bytes e(static_cast<size_t>(length) + 1, 0); // e[0] unused: entries are 1-based
    for (int i = 2; i <= c; ++i)
        e[static_cast<size_t>(i)] = samples[static_cast<size_t>(i - 2)];

    auto put = [&](int entry, uint8_t v) {
        if (entry >= 1 && entry <= length) e[static_cast<size_t>(entry)] = v;
    };
    auto put16 = [&](int entry, int v) {
        put(entry, static_cast<uint8_t>((v >> 8) & 0xFF));
        put(entry + 1, static_cast<uint8_t>(v & 0xFF));
    };
    put(c + 1, free1);
    put(c + 2, free2);
    put(c + 3, static_cast<uint8_t>(setup.dataOffset));
    put16(c + 4, setup.multiplierX1000);
    put16(c + 6, setup.sampleDelay);
    put16(c + 8, setup.sampleInterval);
    if (extraBytes == 3) {
        const long long total =
            std::min<long long>(static_cast<long long>(setup.sampleInterval) * c, 0xFFFFFF);
        put(c + 10, static_cast<uint8_t>((total >> 16) & 0xFF));
        put(c + 11, static_cast<uint8_t>((total >> 8) & 0xFF));
        put(c + 12, static_cast<uint8_t>(total & 0xFF));
    }
    e[1] = kAck;
    uint8_t x = 0;
    for (int i = 2; i < length; ++i)
        x ^= e[static_cast<size_t>(i)];
    e[static_cast<size_t>(length)] = x;
    return Bytes(e.begin() + 1, e.end());
}

uint8_t pingReplyXor(const Bytes& reply) {
    uint8_t x = 0;
    for (size_t i = 1; i < reply.size(); ++i)
        x ^= reply[i];
    return x;
}

} // namespace ifbsim
