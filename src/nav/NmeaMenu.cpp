#include "nav/NmeaMenu.h"

#include "core/State.h"

namespace vz {

void mnuOptionsNmeaSerialOutput_Click() {
    State& s = state();
    s.NmeaOutputActive = !s.NmeaOutputActive;
    s.SettingsChanged = 1;
    s.NmeaOutputOn = s.NmeaOutputActive ? 1 : 0;
}

} // namespace vz
