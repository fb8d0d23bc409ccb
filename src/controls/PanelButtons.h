#pragma once
// The stepping buttons of a channel settings panel: the step each button runs on its Click, and
// the repeat while a button is held (press enables the panel's timer, every tick steps again,
// release stops it; the Click after the release adds one step).
#include "core/Channel.h"
#include "platform/Timer.h"

namespace vz {

// The panel's repeat timer: tmrFullMouse, tmrLeftMouse or tmrRightMouse.
Timer& PanelMouseTimer(Channel channel);

// The step of button `code` (1..14): depth rows through the depth step operations, the gain and
// pulse rows here, each shortening the repeat interval by its row's factor. Other codes do
// nothing.
void StepPanelButton(Channel channel, int code);

// The button events, in the order a press and release delivers them.
void PanelButton_MouseDown(Channel channel, int code, int mouseButton);
void PanelButton_MouseUp(Channel channel, int code);
void PanelButton_Click(Channel channel, int code);
void tmrPanelMouse_Timer(Channel channel);

// Ends a hold that will see no release (the panel lost the focus, or the button was hidden or
// disabled): as a release, without the Click's step.
void ReleaseHeldPanelButton(Channel channel);

} // namespace vz
