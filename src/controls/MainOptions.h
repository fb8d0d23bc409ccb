#pragma once
// The main window's option groups Mode (Manual, Auto), Screen (Full, Split) and Sound (On, Off):
// what a user's choice of an item does. Each handler receives the index of the chosen item.
namespace vz {

void optModeAutoManual_Click(int index);
void optScreenFullSplit_Click(int index);
void optSoundOnOff_Click(int index);

} // namespace vz
