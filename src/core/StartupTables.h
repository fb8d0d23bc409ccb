#pragma once

namespace vz {

// Fills the constant look-up tables of the record (depth steps, DSP scale factors, water
// temperature readings) and sets the four depth-per-sample values to their start-up 0.15 feet.
void BuildStartupTables();

} // namespace vz
