#pragma once
// Everything the Interface Box sends arrives here: the box port's receive event appends the bytes
// to RxBuffer (entries 1..RxCount). The protocol and the acquisition tick only read the buffer.

namespace vz {

// Receive event of the box port: moves every waiting byte into RxBuffer in arrival order. Bytes
// that arrive while RxBuffer is full (32000 stored) are dropped and counted in RxOverflowCount.
void BoxReceiveEvent();

// Failure event of the box port (device removed, the other end gone while open): marks the port
// lost, so that waits for replies end at once, and asks for another port through the acquisition
// tick's communication-error prompt.
void BoxPortFailure();

// Makes the next acquisition tick that is within its reply deadline put up the
// communication-error prompt, and shows the link indicator red.
void RequestCommErrorPrompt();

} // namespace vz
