#pragma once
// Finding the Interface Box at start-up and preparing it for the ping cycle.

namespace vz {

// Shows the search window with its progress dots and opens the box port (whose error dialog may
// pick another port, switch to playback or end the program).
void SearchForInterfaceBox();

// The connection sequence: contacts the box (firmware version, handshake), reads its serial
// number, makes one test ping, then applies the settings, builds the channel blocks, clears the
// buffers and starts the ping cycle; a recording in progress goes on. In playback it skips
// straight to the settings. When the box cannot be contacted the user picks another port,
// playback or the end of the program; when the test ping gets no answer the program starts over.
void ConnectInterfaceBox();

// "Enter Playback Mode" in the search window. During the handshake the exchange with the box is
// abandoned first, so that playback starts from the connection sequence and not from inside one
// of its waits.
void cmdCheckPortsPlaybackMode_Click();

// The handshake gives way to playback: its waits end at once.
bool ConnectionAbandoned();

} // namespace vz
