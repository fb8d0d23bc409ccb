#pragma once
#include <cstdint>

namespace vz {

// Decodes the complete reply in RxBuffer (PacketLength bytes from entry 1) in place: reads the
// trailer (DataOffset, DataMultiplier, SampleDelay, SampleInterval), updates DepthPerSample and
// the depth per sample of the channel the reply belongs to, converts the echo samples by the
// processing code of the request, and leaves in PacketError the XOR of entries 2..PacketLength
// (0 = valid; recorded replies in playback are never rejected).
//
// Nothing outside RxBuffer is touched: a PacketLength beyond the buffer is cut to its last entry,
// and a reply too short to hold its trailer is rejected (PacketError kShortReply) unread.
// A sample interval that is not a usable positive time keeps the previous SampleInterval and the
// channel's previous depth per sample.
void DecodePing(std::uint8_t& PacketError);

// PacketError of a reply too short to carry a trailer.
constexpr std::uint8_t kShortReply = 0xFF;

} // namespace vz
