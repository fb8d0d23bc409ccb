#include "platform/Paths.h"

#include <QDir>
#include <QFile>
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

std::string comDevicePath(int n) {
    if (n < 1 || n > 16) return {};
    const std::string key = "COM" + std::to_string(n);
    if (const char* env = std::getenv(("VODAZUZOVI_" + key).c_str()); env && *env) return env;
    QFile conf(QString::fromStdString(dataFolder() + "/ports.conf"));
    if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&conf);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            const auto eq = line.indexOf('=');
            if (eq > 0 && line.left(eq).trimmed().compare(QString::fromStdString(key),
                                                          Qt::CaseInsensitive) == 0) {
                return line.mid(eq + 1).trimmed().toStdString();
            }
        }
    }
    return "/dev/ttyS" + std::to_string(n - 1);
}

} // namespace vz
