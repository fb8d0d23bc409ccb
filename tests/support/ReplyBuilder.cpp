#include "support/ReplyBuilder.h"

#include <algorithm>

namespace vz::test {

std::vector<std::uint8_t> PingReply::bytes() const {
    std::vector<std::uint8_t> b;
    b.reserve(samples.size() + 16);
    b.push_back(first);
    for (std::uint8_t sample : samples)
        b.push_back(sample);
    b.push_back(0x5A); // spare bytes N+1, N+2
    b.push_back(0xA5);
    b.push_back(offset);
    for (std::uint16_t v : {multiplierX1000, delay, interval}) {
        b.push_back(static_cast<std::uint8_t>(v >> 8));
        b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    }
    if (intervalTotal) {
        b.push_back(static_cast<std::uint8_t>(*intervalTotal >> 16));
        b.push_back(static_cast<std::uint8_t>(*intervalTotal >> 8));
        b.push_back(static_cast<std::uint8_t>(*intervalTotal));
    }
    std::uint8_t x = 0;
    for (std::size_t i = 1; i < b.size(); ++i)
        x ^= b[i];
    b.push_back(x);
    return b;
}

void LoadReply(State& s, const std::vector<std::uint8_t>& bytes) {
    std::copy(bytes.begin(), bytes.end(), s.RxBuffer.begin() + 1);
    s.PacketLength = static_cast<std::int32_t>(bytes.size());
}

void PingReply::load(State& s) const {
    LoadReply(s, bytes());
    s.RxCount = s.PacketLength;
    s.TrailerExtraBytes = intervalTotal ? 3 : 0;
}

} // namespace vz::test
