#pragma once
// Draws the current ping (decoded in RxBuffer) as the newest column of the echogram, and its
// A-scope strip and range-gate marker on the compose surface.
namespace vz {

void DrawEchoColumn();

} // namespace vz
