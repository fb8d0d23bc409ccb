#pragma once
// Defining the user colour scale colour by colour: each edit moves the pointer of the colour-scale
// window one band down the bar and stores the chosen colour in that band's UserColors entry,
// from entry 15 (top) to entry 1.
#include "core/Color.h"

#include <cstdint>

namespace vz {

constexpr std::int16_t kUserColorPointerStart = 105; // twips, beside the top of the bar
constexpr std::int16_t kUserColorPointerStep = 287;  // twips per edit

struct UserColorStep {
    std::int16_t pointerTop; // where the pointer moves
    int entry;               // the UserColors entry written, 1..15
};

// The step of the edit made with the pointer at `pointerTop`. Past entry 1 the pointer stays
// where it is and every further edit overwrites entry 1: entry 0 is not part of the user scale
// and entry 16 is its "defined" marker.
UserColorStep NextUserColorStep(std::int16_t pointerTop);

// One edit: asks for a colour, starting from `dialogColour`. A chosen colour moves
// UserColorPointerTop, is stored in its entry and becomes the dialog's colour; returns true.
// A cancelled dialog changes nothing and returns false.
bool EditNextUserColor(Rgb& dialogColour);

} // namespace vz
