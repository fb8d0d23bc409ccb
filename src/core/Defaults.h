#pragma once
#include "core/Channel.h"

namespace vz {

// The factory settings of one channel.
ChannelSettings factoryChannel(Channel c);

// Sets the texts of lines 1 and 2 of the settings file (header, title, notice).
void LoadSettingsFileTexts();

// Puts the factory settings into the record: the settings-file texts, the display and channel
// settings and, when none are defined yet, the user colours. The COM ports, alarm values, keel
// offset, depth damping, transmit temperature limit and SettingsChanged are left alone;
// SoundSpeed is set only when it is still 0.
void LoadDefaultsIntoRam();

} // namespace vz
