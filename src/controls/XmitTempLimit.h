#pragma once
// The transmitter's safety temperature limit, viewed and set in degrees C (Shift+T on the
// echogram). The box holds it as a raw sensor reading, XmitTempLimit.
namespace vz {

// Shows the current limit and asks for a new one; an empty answer changes nothing, answers are
// kept within 80..155 degrees C (text that is no number counts as 0, so becomes 80).
void AskXmitTempLimit();

} // namespace vz
