#pragma once
// The Interface Box register protocol: one byte written into one numbered register (register 0
// is the command register), or the value of one register asked for. Replies reach RxBuffer
// through the receive event of the box port; the operations wait for them keeping the user
// interface alive, and send nothing while the program plays back a recording.
#include "core/Channel.h"

#include <cstdint>
#include <optional>

namespace vz {

// Register write: up to four frames until the box acknowledges; every frame without
// acknowledgement adds 1 to CommRetryCount. Returns whether the box acknowledged (the reply in
// RxBuffer then starts with the acknowledgement byte 6). Stops early when the box port is lost
// or the program ends.
bool SendCommand(std::uint8_t reg, std::uint8_t value);

// Register query: the register's value, 0 when the box does not answer; nothing in playback,
// where no query is sent.
std::optional<std::uint8_t> QueryRegister(std::uint8_t reg);

// Zeroes RxBuffer entries 1..count, empties the reply (RxCount 0) and drops unread input.
void ClearRxBuffer(int count);

// Waits until more than `count` reply bytes are in, or count hundredths of a second.
void WaitForBytes(int count);

// Waits, processing events, on the monotonic clock; ends early when the program ends.
void WaitSeconds(double seconds);

// IfbSerialNumber from the box's serial-number reply.
void ReadSerialNumber();

// Asks the box for the water temperature and moves WaterTemperature towards it: the first reading
// is taken as it is, later ones move it a twentieth of the way. Without a reply the temperature
// stays as it was.
void ReadWaterTemp();

// Degrees F of a box temperature reading, to two decimals, interpolated in TempTable (its entries
// fall as the temperature rises); beyond the table's ends the end segments are extended.
float TempFromReading(std::int32_t reading);

// Writes registers 15 down to 1 from the channel's command block.
void SendChannelSettings(Channel channel);
void SendFullSettings();
void SendLeftSettings();
void SendRightSettings();

} // namespace vz
