#pragma once
// The NMEA output over the network, beside the serial one, for chart software on this computer
// or the boat's network: each sentence as a UDP datagram to NmeaUdpOutput (a broadcast address
// serves every listener on the network), and a TCP server on NmeaTcpOutput that sends the
// sentences to every client connected.
#include <string>

namespace vz {

// Starts, moves or stops the UDP sender and the TCP server as NmeaUdpOutput and NmeaTcpOutput
// say. Returns why the server could not listen (empty when it does or is off).
std::string ApplyNmeaNetworkOutputs();

// Sends `text` (sentences ended by CR LF) to the network outputs that are on.
void SendNmeaOverNetwork(const std::string& text);

// Clients connected to the TCP server now.
int NmeaTcpClientCount();

} // namespace vz
