#pragma once
// Byte layouts of everything the box sends. Pure functions: no state,
// no timing, no faults.
#include "ping_setup.h"

#include <cstdint>
#include <vector>

namespace ifbsim {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kAck = 6;

// After a register write.
Bytes ackReply();
// After a register query: 6, value, 6 ^ value (the program reads byte 2).
Bytes queryReply(uint8_t value);

// Serial number split into the bytes the program multiplies out as
// b2 x 10,000,000 + b3 x 100,000 + b4 x 1,000 + b5:
//   b2 = serial / 10,000,000   b3 = (serial / 100,000) % 100
//   b4 = (serial / 1,000) % 100   b5 = serial % 1,000
// Representable when b2 <= 255 and b5 <= 255 (the last three digits are 000..255).
bool serialRepresentable(uint64_t serial);
// 6, b2, b3, b4, b5, 0, 0, XOR of b2..b5: eight bytes (the program waits for more than seven).
Bytes serialReply(uint32_t serial);

// After the water-temperature command: 6, reading high, reading low, high ^ low.
Bytes temperatureReply(uint16_t reading);

// Ping reply of L = C + 10 + E bytes (E = extraBytes, 0 or 3), entries numbered from 1:
//   1            6 (acknowledgement)
//   2 .. C       samples[0 .. C-2]: echo samples from the surface down, entry C the last one
//   C+1, C+2     free1, free2 (not interpreted by the program)
//   C+3          DataOffset
//   C+4..C+5     multiplier x 1000
//   C+6..C+7     SampleDelay
//   C+8..C+9     SampleInterval
//   C+10..C+12   SampleInterval x C, 24 bits (only when E = 3; kept within 24 bits)
//   L            checksum: XOR of entries 2..L is 0
// All multi-byte fields big-endian. `samples` must hold max(C - 1, 0) values.
Bytes encodePingReply(const std::vector<uint8_t>& samples, const PingSetup& setup, int extraBytes,
                      uint8_t free1, uint8_t free2);

// XOR of entries 2..L (0 for a valid ping reply).
uint8_t pingReplyXor(const Bytes& reply);

} // namespace ifbsim
