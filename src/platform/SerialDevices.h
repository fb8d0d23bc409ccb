#pragma once
// The serial devices present on this system, as the port window lists them, and the stable
// names that find the same adapter again whatever number the system gives it after a replug.
#include <string>
#include <vector>

namespace vz {

struct SerialDevice {
    std::string path;         // /dev/ttyUSB0
    std::string stableName;   // /dev/serial/by-id/usb-...-if00-port0, or the path when none
    std::string maker;        // manufacturer reported by the adapter
    std::string product;      // its description
    std::string serialNumber; // USB serial number
};

// Where udev puts the names that follow an adapter by its maker, product and serial number.
constexpr const char* kSerialByIdFolder = "/dev/serial/by-id";

// The entry of `byIdFolder` that leads to `device` (the device itself when it is one); the
// device's path when there is none.
std::string StableDeviceName(const std::string& device,
                             const std::string& byIdFolder = kSerialByIdFolder);

// The devices the serial library finds now, with their stable names.
std::vector<SerialDevice> PresentSerialDevices();

// One line of the port window's list: "ttyUSB0  FTDI  FT232R USB UART  A12345", empty parts
// left out.
std::string SerialDeviceLabel(const SerialDevice& device);

} // namespace vz
