#include "link/PortsByName.h"

#include "platform/Paths.h"

namespace vz {

namespace {
std::string BuiltInPort(int n) {
    return "/dev/ttyS" + std::to_string(n - 1);
}
} // namespace

int ComNumberForDevice(const std::string& stableName, int disabledOption) {
    for (int n = 1; n <= 16; ++n) {
        if (comDevicePath(n) == stableName) return n;
    }
    // A COM number nothing remaps still means its built-in serial port, which is free to take.
    for (int n = 1; n <= 16; ++n) {
        if (n != disabledOption + 1 && comDevicePath(n) == BuiltInPort(n)) return n;
    }
    return 0;
}

} // namespace vz
