#pragma once
// Builds Interface Box ping replies in RxBuffer the way the box lays them out: entry 1, the
// samples, two spare bytes, the trailer and a checksum that makes the XOR of entries 2..L zero.
#include "core/State.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vz::test {

// `bytes` from entry 1 of RxBuffer on with PacketLength to match, as the receive path leaves a
// reply: well formed or not.
void LoadReply(State& s, const std::vector<std::uint8_t>& bytes);

struct PingReply {
    std::vector<std::uint8_t> samples; // entries 2..N (the last one is entry N)
    std::uint8_t first = 6;
    std::uint8_t offset = 0;
    std::uint16_t multiplierX1000 = 1000;
    std::uint16_t delay = 0;
    std::uint16_t interval = 60;
    std::optional<std::uint32_t> intervalTotal; // present: the three extra trailer bytes

    int sampleCount() const { return static_cast<int>(samples.size()) + 1; }    // N
    int length() const { return sampleCount() + 10 + (intervalTotal ? 3 : 0); } // L

    // The reply's bytes, entry 1 first.
    std::vector<std::uint8_t> bytes() const;
    // Writes the reply into RxBuffer from entry 1 and sets PacketLength, TrailerExtraBytes and
    // RxCount to match.
    void load(State& s) const;
};

} // namespace vz::test
