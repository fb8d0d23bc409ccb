#pragma once
// What the panels' and the main window's stepping buttons share: the mouse button codes their
// press handlers receive, the one-sided clamp of a step and the shortening of a repeat interval.
namespace vz {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// `value` moved one step in `direction` (+1 or -1), clamped only on the side it moved to: a
// value already beyond the other bound stays there.
int StepWithinBound(int value, int direction, int lower, int upper);

// `ms` times `factor` as a whole number of milliseconds, a half going to the even neighbour.
int ScaledInterval(int ms, double factor);

} // namespace vz
