#pragma once
// Files of the test's own data folder: paths, whole-file reads and writes, lines ended by CR LF
// as the program writes them, and the screen-data recordings present.
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace vz::test {

inline std::string dataPath(const std::string& name) { return dataFolder() + "/" + name; }

inline bool exists(const std::string& path) { return QFile::exists(QString::fromStdString(path)); }

// The file's bytes; "<missing>" when it cannot be read, which no file of a test holds.
inline std::string readFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// The lines, each ended by CR LF; only the first `count` when given.
inline std::string lines(const std::vector<std::string>& list, std::size_t count = SIZE_MAX) {
    std::string text;
    for (std::size_t i = 0; i < list.size() && i < count; ++i)
        text += list[i] + "\r\n";
    return text;
}
inline std::string lines(std::initializer_list<std::string> list) { return lines(std::vector<std::string>(list)); }

// The screen-data files in the data folder, by name.
inline std::vector<std::string> recordings() {
    std::vector<std::string> names;
    for (const QString& n : QDir(QString::fromStdString(dataFolder())).entryList({"I*.??I"}, QDir::Files, QDir::Name))
        names.push_back(n.toStdString());
    return names;
}

} // namespace vz::test
