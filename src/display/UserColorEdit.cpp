#include "display/UserColorEdit.h"

#include "core/State.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <cmath>

namespace vz {

namespace {
int EntryAt(int pointerTop) {
    return static_cast<int>(std::lrint(16.0 - static_cast<double>(pointerTop) / kUserColorPointerStep));
}
} // namespace

UserColorStep NextUserColorStep(std::int16_t pointerTop) {
    const int next = pointerTop + kUserColorPointerStep;
    const int entry = EntryAt(next);
    if (entry < 1) return {pointerTop, 1};
    return {static_cast<std::int16_t>(next), std::min(entry, 15)};
}

bool EditNextUserColor(Rgb& dialogColour) {
    const std::optional<Rgb> chosen = dialogs().chooseColor(dialogColour);
    if (!chosen) return false;
    State& s = state();
    const UserColorStep step = NextUserColorStep(s.UserColorPointerTop);
    s.UserColorPointerTop = step.pointerTop;
    s.UserColors[step.entry] = *chosen;
    dialogColour = *chosen;
    return true;
}

} // namespace vz
