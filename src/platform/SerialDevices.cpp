#include "platform/SerialDevices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace vz {

std::string StableDeviceName(const std::string& device, const std::string& byIdFolder) {
    const QString target = QFileInfo(QString::fromStdString(device)).canonicalFilePath();
    if (target.isEmpty()) return device;
    const QDir folder(QString::fromStdString(byIdFolder));
    for (const QFileInfo& entry : folder.entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        if (entry.canonicalFilePath() == target) return entry.absoluteFilePath().toStdString();
    }
    return device;
}

std::vector<SerialDevice> PresentSerialDevices() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const std::string path = info.systemLocation().toStdString();
        devices.push_back({path, StableDeviceName(path), info.manufacturer().toStdString(),
                           info.description().toStdString(), info.serialNumber().toStdString()});
    }
    return devices;
}

std::string SerialDeviceLabel(const SerialDevice& device) {
    const auto slash = device.path.find_last_of('/');
    std::string label = slash == std::string::npos ? device.path : device.path.substr(slash + 1);
    for (const std::string* part : {&device.maker, &device.product, &device.serialNumber}) {
        if (!part->empty()) label += "  " + *part;
    }
    return label;
}

} // namespace vz
