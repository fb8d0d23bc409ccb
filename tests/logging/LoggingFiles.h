#pragma once
// Files of the data folder, for recording and playback tests.
#include "platform/Paths.h"

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

namespace vz::test {

inline std::string dataPath(const std::string& name) { return dataFolder() + "/" + name; }

inline std::string readFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll().toStdString();
}

inline void writeFile(const std::string& path, const std::string& text) {
    QFile f(QString::fromStdString(path));
    if (f.open(QIODevice::WriteOnly)) f.write(text.data(), static_cast<qint64>(text.size()));
}

// The screen-data files in the data folder, by name.
inline std::vector<std::string> recordings() {
    std::vector<std::string> names;
    for (const QString& n : QDir(QString::fromStdString(dataFolder()))
                                .entryList({"I*.??I"}, QDir::Files, QDir::Name)) {
        names.push_back(n.toStdString());
    }
    return names;
}

} // namespace vz::test
