#pragma once
// Helpers for the settings-file tests: the file a fresh program writes after the first-run prompts
// (ports 3, 5 and none), and reading and writing the settings file's bytes.
#include "core/State.h"
#include "platform/Paths.h"

#include <QFile>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vz::test {

// Written by hand, one line per value; the line ends are CR LF in the file.
inline const char* const kFactorySettingsFile =
    R"(Marvek - Default values file - Do not make any changes to this file
Tarvik Vosk Fish Finder Ver:3.16 - Written by the sonar display program
 3 
 5 
 .0024755 
 0 
 0 
 0 
 0 
 8 
 50 
 1 
 1 
 0 
 0 
 1 
 0 
 0 
 0 
 0 
 16711680 
 0 
 0 
 4 
 0 
 1 
 0 
 4 
 1 
 3 
 242 
 110 
 245 
 4 
 1 
 1 
 0 
 1 
 0 
 4 
 1 
 3 
 242 
 110 
 245 
 4 
 1 
 1 
 1 
 0 
 0 
 4 
 1 
 3 
 242 
 110 
 245 
 4 
 1 
 1 
 16711680  16711680  16711680  0  8388608  8421376  8388736  128  32896  32768  65280  65535  16776960  4227327  255  0 
 0 
 0 
 0 
 20 
 0 
 1000 
 0 
 15 
 90 
 0 
 20 
 80 
 0 
 4 
 0 
 1 
 4 
 4 
 1 
 0 
 10 
 120 
)";

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// Lines 1 to `count` (all by default), each ended by CR LF.
inline std::string JoinCrLf(const std::vector<std::string>& lines, std::size_t count = SIZE_MAX) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < count; ++i)
        text += lines[i] + "\r\n";
    return text;
}

inline std::vector<std::string> FactoryLines() {
    return SplitLines(kFactorySettingsFile);
}

inline std::string SettingsPath() {
    return mapPath(state().SettingsFilePath);
}

inline void WriteSettingsBytes(const std::string& bytes) {
    QFile file(QString::fromStdString(SettingsPath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

inline std::string ReadSettingsBytes() {
    QFile file(QString::fromStdString(SettingsPath()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

} // namespace vz::test
