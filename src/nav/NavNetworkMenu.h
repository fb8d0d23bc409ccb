#pragma once
// The Options menu's items for the navigation data over the network: the GPS read from gpsd, and
// the NMEA output as UDP datagrams and from a TCP server. Each asks for "host:port" (or "off")
// in an input box and applies the answer at once.
#include "core/State.h"

#include <optional>
#include <string>

namespace vz {

enum class NetLink { Gpsd, NmeaUdp, NmeaTcp };

// An answer to one of the dialogs, read against the current end: "off" switches it off;
// "host:port", "host" or "port" switch it on, keeping the part not given. `addressOnly`: the
// host must be a numeric address (the UDP and TCP outputs). Nothing for anything else.
std::optional<NetEndpoint> ReadEndpointAnswer(const std::string& answer, const NetEndpoint& current,
                                              bool addressOnly);

// Click handler of mnuOptionsGpsd, mnuOptionsNmeaUdp and mnuOptionsNmeaTcp: asks until the
// answer is empty (nothing changes) or readable (stored in its file and applied); a wrong
// answer beeps and asks again.
void mnuOptionsNetLink_Click(NetLink link);

} // namespace vz
