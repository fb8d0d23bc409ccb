#pragma once

namespace vz {

struct State;

// The acquisition tick (tmrMainTimer2, every 10 ms after a ping request): waits for the reply
// until PacketLength bytes are in RxBuffer or its deadline of PacketLength / 10 + 30 ticks has
// passed, then decodes the reply, filters and draws the column, tracks the bottom, refreshes the
// status labels and re-arms the ping cycle unless the display is paused. Missed deadlines are
// counted; more than 10 of them between two clears of the count bring up the communications-error
// prompt (another COM port, playback, or the end of the program).
void AcquisitionTick();

// A tick of tmrMainTimer2 held while another handler of the ping loop runs.
void AcquisitionTickHeld();

// The reply to the last request is past its deadline of PacketLength / 10 + 30 ticks.
bool ReplyOverdue(const State& s);

// Replies (live or recorded) decoded and drawn since the program started: the pings that reached
// the screen, for measuring the ping rate.
long RepliesDrawn();

// tmr5Sec: the count of missed deadlines starts again.
void ClearCommErrors();

} // namespace vz
