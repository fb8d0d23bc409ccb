#include "platform/SerialOpenFailure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vz {

std::string OpenFailureReason(int errorNumber, const std::string& device) {
    switch (errorNumber) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "Reason: no such device (" + device + ").";
    case EACCES:
    case EPERM:
        // Serial devices belong to the group dialout; membership counts from the next login.
        return "Reason: permission denied on " + device +
               ".\r\nAdd yourself to the dialout group, then log out and in again:\r\n"
               "sudo usermod -aG dialout $USER";
    case 0:
    case EBUSY:
        return "Reason: " + device + " is busy: another program is using it.";
    default:
        return "Reason: " + device + ": " + std::strerror(errorNumber) + ".";
    }
}

std::string DiagnoseOpenFailure(const std::string& device, bool libraryRefusedAccess,
                                const std::string& libraryError) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return OpenFailureReason(errno, device);
    ::close(fd);
    if (libraryRefusedAccess) return OpenFailureReason(0, device);
    return "Reason: " + device + ": " + libraryError + ".";
}

} // namespace vz
