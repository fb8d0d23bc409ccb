#pragma once
// The link's diagnostic counters, as the diagnostics window shows them.
#include <string>

namespace vz {

// Reset Values: the ping extremes, the buffer depth, the retry count and the wait ticks start
// again (with a beep). The window's boxes follow at their next refresh.
void ResetDiagnostics();

// A value as the diagnostics boxes show it: whole numbers without a decimal point, others with
// up to `digits` significant digits.
std::string DiagnosticText(double value, int digits = 7);

} // namespace vz
