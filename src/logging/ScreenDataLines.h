#pragma once
// The lines of a screen-data file, built from plain values. Lines are returned without their
// line end; the writer adds CR LF.
#include "core/Channel.h"

#include <cstdint>
#include <string>

namespace vz {

// "IYMMDDHH.miI" for a file opened at the date "mm-dd-yyyy" and time "hh:mm:ss" (Y is the last
// digit of the year). A `sequence` above 1 adds a letter before the full stop ("B" for 2, "C"
// for 3, ...), so that a second file opened in the same minute gets a name of its own that
// still matches "I*.??I".
std::string ScreenDataFileName(const std::string& date, const std::string& time, int sequence = 1);
// Highest sequence ScreenDataFileName accepts.
constexpr int kLastFileSequence = 26;

// "3.16  8  " followed by 39 asterisks.
std::string Header1Line(const std::string& version, int firmware);
// " Opened at: " & name & date (mm-dd-yyyy), blanks up to the next 14-column print zone, then
// the time (hh:mm:ss).
std::string Header2Line(const std::string& fileName, const std::string& date,
                        const std::string& time);
// "F: ", "L: " or "R: " and bytes 0..15 of the block as number items.
std::string ChannelLine(Channel channel, const ChannelBlock& block);
// "T: " & temperature "##.#0" & "   Depth= " & depth "####.##" & the units text (" Ft").
std::string TemperatureDepthLine(float temperatureF, float depth, const std::string& unitsText);
// "GPS: " & latitude caption & "  " & longitude caption & "  " & speed in knots (a blank
// before a non-negative value).
std::string GpsLine(const std::string& latCaption, const std::string& longCaption,
                    float speedKnots);
// The time, a blank, then " value" for each byte, then a final blank.
std::string DataRecordLine(const std::string& time, const std::uint8_t* bytes, int count);
// "Closed at: " & time.
std::string ClosingLine(const std::string& time);

} // namespace vz
