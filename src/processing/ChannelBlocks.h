#pragma once
#include <cstdint>

namespace vz {

// Rebuilds FullChannelBlock, LeftChannelBlock and RightChannelBlock from the channels' settings,
// the transmit power and the transmitter temperature limit. Does nothing in playback.
void BuildChannelBlocks();

// The count C = samples + 10 that a channel asks the box for, split into its high and low bytes
// (block bytes 8 and 9). The samples cover the channel's depth window (range plus offset, in
// feet): digital processing types divide it by their DSP scale factor, analog ones by the depth
// per sample of the channel's last reply (0.15 feet when that is not a usable positive number).
// The count is capped so that the whole reply, C + 10 + TrailerExtraBytes bytes, fits in RxBuffer.
void ComputeSampleCount(std::uint8_t& High, std::uint8_t& Low, int depthRange, int depthOffset,
                        int processingType, int dspGain, int frequency, float depthPerSample);

} // namespace vz
