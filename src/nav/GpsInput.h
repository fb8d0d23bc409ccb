#pragma once
// The GPS receiver on its own port: the receive event gathers the bytes, a one-second timer finds
// an RMC sentence in them and shows position and speed, and keeps the sentence for the NMEA
// output.
#include <cstddef>
#include <cstdint>

namespace vz {

// Makes GpsReceiveEvent the receive event of the GPS port. Called once at start-up.
void InstallGpsReceiver();

// Receive event of the GPS port: appends every waiting byte to GpsBuffer (entries
// 1..GpsCount; bytes beyond its end are dropped) and enables tmrGpsTimer. In playback the input
// is read and thrown away.
void GpsReceiveEvent();

// Appends received GPS text to GpsBuffer (what does not fit is dropped) and enables
// tmrGpsTimer: the receive event's work, shared with the GPS read through gpsd.
void AppendGpsBytes(const std::uint8_t* bytes, std::size_t size);

// Timer event of tmrGpsTimer: takes the gathered bytes in, and when they hold a whole RMC sentence
// with the right checksum shows its position (or "Not Valid" without a fix), keeps its speed
// and the sentence for forwarding. An unfinished sentence is kept for the next run; everything
// else is dropped. After more than ten runs without a sentence the read-outs are blanked.
void ParseGpsSentence();

} // namespace vz
