#pragma once
// The sounder's NMEA 0183 sentences (talker "SD"), each with its checksum and without the line
// end: water temperature (MTW), depth with the transducer's offset (DPT) and depth below the
// transducer in feet, metres and fathoms (DBT).
#include <string>

namespace vz {

struct DepthInAllUnits {
    double feet = 0, metres = 0, fathoms = 0;
};

// A depth given in `depthUnits` (0 feet, 1 metres, 2 fathoms) in all three units.
DepthInAllUnits ConvertDepth(double depth, int depthUnits);

// "$SDMTW,20.00,C*hh"
std::string MtwSentence(float celsius);
// "$SDDPT,3.8,0.6*hh": depth below the transducer and the transducer's offset, both in metres.
std::string DptSentence(double metres, double offsetMetres);
// "$SDDBT,012.3,f,003.8,M,002.1,F*hh"
std::string DbtSentence(const DepthInAllUnits& depth);

} // namespace vz
