#pragma once
// The option groups and copy buttons of a channel settings panel.
#include "core/Channel.h"

namespace vz {

// Each receives the index of the chosen item.
void optAscope_Click(Channel channel, int index);
void optFrequency_Click(Channel channel, int index);
void optProcessingType_Click(Channel channel, int index);

enum class CopyDirection { Export, Import };
// After a beep and "Are you sure?" answered Yes: an export copies the panel's channel to `other`,
// an import copies `other` into the panel's channel (frequency, A-scope, processing type, depth
// range and offset, pulse width and the four gains), then everything is re-applied.
void CopyChannelSettings(Channel panel, Channel other, CopyDirection direction);

} // namespace vz
