#pragma once
// Draws the read-outs of the current frame on the compose surface: depth scales with their
// frequency labels, the split divider, depth, water temperature and speed.
namespace vz {

void DrawOverlay();

} // namespace vz
