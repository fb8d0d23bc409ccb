#pragma once
// Why a serial device could not be opened, told the user in a line they can act on: the device
// is missing, the user may not use it (with the command that lets them), or another program has
// it.
#include <string>

namespace vz {

// The reason for the error number of a failed open(2) of `device`; 0 stands for a device that
// opens but that another program holds (a lock file or exclusive use).
std::string OpenFailureReason(int errorNumber, const std::string& device);

// Tries `device` once more with open(2) to learn why the serial library could not open it.
// `libraryRefusedAccess`: the library reported an access problem, which is how it reports a
// device another program holds; any other failure of the library is given as `libraryError`.
std::string DiagnoseOpenFailure(const std::string& device, bool libraryRefusedAccess,
                                const std::string& libraryError);

} // namespace vz
