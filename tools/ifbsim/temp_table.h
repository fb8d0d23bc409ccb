#pragma once
// Water temperature readings of the box's thermistor (the program's TempTable): the program looks
// a 16-bit reading up in a table of one entry per whole degree F and interpolates (its
// TempFromReading). The simulator runs that the other way round: for a temperature it gives the
// reading that the program turns back into the same temperature.
#include <cstdint>

namespace ifbsim {

inline constexpr int kTempTableFirst = 15;
inline constexpr int kTempTableLast = 100;

// The table entry for a whole temperature in degrees F (15..100), from the thermistor formula.
int32_t tempTableEntry(int degreesF);

// The reading for a temperature in degrees F: linear between the entries of the whole degrees
// around it (the end segments extended below 15 and above 100), rounded, kept within 0..65535.
uint16_t readingForTemperature(double degreesF);

} // namespace ifbsim
