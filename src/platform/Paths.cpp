#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdlib>

namespace vz {

namespace {
const std::string kProgramFolder = "c:\\tempifb";

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

std::string dataFolder() {
    if (const char* home = std::getenv("VODAZUZOVI_HOME"); home && *home) {
        return QDir::cleanPath(QString::fromLocal8Bit(home)).toStdString();
    }
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .toStdString();
}

std::string mapPath(const std::string& programPath) {
    const std::string low = lower(programPath);
    if (low.compare(0, kProgramFolder.size(), kProgramFolder) != 0) return programPath;
    std::string rest = programPath.substr(kProgramFolder.size());
    if (!rest.empty() && rest[0] != '\\' && rest[0] != '/') return programPath; // C:\TempIFBx
    for (char& c : rest) {
        if (c == '\\') c = '/';
    }
    while (!rest.empty() && rest[0] == '/') rest.erase(0, 1);
    while (!rest.empty() && rest.back() == '/') rest.pop_back();
    return rest.empty() ? dataFolder() : dataFolder() + "/" + rest;
}

namespace {
QString portsConfPath() { return QString::fromStdString(dataFolder() + "/ports.conf"); }

QStringList portsConfLines() {
    QFile conf(portsConfPath());
    if (!conf.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList lines;
    QTextStream in(&conf);
    while (!in.atEnd()) lines << in.readLine();
    return lines;
}

// The COM number a line "COMn=/dev/..." sets, 0 for any other line.
int comNumberOfLine(const QString& line, QString* device = nullptr) {
    const QString text = line.trimmed();
    const auto eq = text.indexOf('=');
    const QString key = text.left(eq).trimmed();
    if (eq <= 0 || !key.startsWith("COM", Qt::CaseInsensitive)) return 0;
    bool ok = false;
    const int n = key.mid(3).toInt(&ok);
    if (!ok || n < 1 || n > 16) return 0;
    if (device) *device = text.mid(eq + 1).trimmed();
    return n;
}
} // namespace

std::string comDevicePath(int n) {
    if (n < 1 || n > 16) return {};
    const std::string key = "COM" + std::to_string(n);
    if (const char* env = std::getenv(("VODAZUZOVI_" + key).c_str()); env && *env) return env;
    for (const QString& line : portsConfLines()) {
        QString device;
        if (comNumberOfLine(line, &device) == n) return device.toStdString();
    }
    return "/dev/ttyS" + std::to_string(n - 1);
}

bool setComDevicePath(int n, const std::string& device) {
    if (n < 1 || n > 16) return false;
    const QString entry = QString("COM%1=%2").arg(n).arg(QString::fromStdString(device));
    // The first line of COM port n takes the new device, later ones go.
    QStringList lines;
    bool replaced = false;
    for (const QString& line : portsConfLines()) {
        if (comNumberOfLine(line) != n) lines << line;
        else if (!replaced) lines << entry;
        replaced = replaced || comNumberOfLine(line) == n;
    }
    if (!replaced) lines << entry;
    QDir().mkpath(QString::fromStdString(dataFolder()));
    QSaveFile conf(portsConfPath());
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    conf.write((lines.join('\n') + '\n').toUtf8());
    return conf.commit();
}

} // namespace vz
