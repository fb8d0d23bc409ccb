#pragma once
// Settings-file tests: the file a fresh program writes after the first-run prompts (ports 3, 5
// and none), written by hand, and reading and writing the settings file.
#include "core/SettingsFile.h"
#include "core/State.h"
#include "platform/Paths.h"
#include "support/DataFiles.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vz::test {

// Line by line, without the CR LF that ends each line in the file.
inline const std::vector<std::string> kFactoryLines = {
    "Marvek - Default values file - Do not make any changes to this file",
    "Tarvik Vosk Fish Finder Ver:3.16 - Written by the sonar display program",
    // ports, sound speed, screen settings, colour, calibration
    " 3 ", " 5 ", " .0024755 ", " 0 ", " 0 ", " 0 ", " 0 ", " 8 ", " 50 ", " 1 ", " 1 ", " 0 ",
    " 0 ", " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 16711680 ", " 0 ", " 0 ", " 4 ",
    // the Full, Left and Right channels
    " 0 ", " 1 ", " 0 ", " 4 ", " 1 ", " 3 ", " 242 ", " 110 ", " 245 ", " 4 ", " 1 ", " 1 ",
    " 0 ", " 1 ", " 0 ", " 4 ", " 1 ", " 3 ", " 242 ", " 110 ", " 245 ", " 4 ", " 1 ", " 1 ",
    " 1 ", " 0 ", " 0 ", " 4 ", " 1 ", " 3 ", " 242 ", " 110 ", " 245 ", " 4 ", " 1 ", " 1 ",
    " 16711680  16711680  16711680  0  8388608  8421376  8388736  128  32896  32768  65280  "
    "65535  16776960  4227327  255  0 ",
    // NMEA, keel, alarms, damping, thresholds, auto save, transmitter limit
    " 0 ", " 0 ", " 0 ", " 20 ", " 0 ", " 1000 ", " 0 ", " 15 ", " 90 ", " 0 ", " 20 ", " 80 ",
    " 0 ", " 4 ", " 0 ", " 1 ", " 4 ", " 4 ", " 1 ", " 0 ", " 10 ", " 120 "};

// Every value away from its factory value, each as the program writes it.
inline const std::vector<std::string> kChangedLines = {
    kFactoryLines[0], kFactoryLines[1],
    " 16 ", " 0 ", " .00244 ", " 1 ", " 1 ", " 3 ", " 2 ", " 5 ", "-20 ", " 0 ", " 0 ", " 1 ",
    " 2 ", " 0 ", " 1 ", " 1 ", " 1 ", " 1 ", " 197121 ", " 4 ", "-2.75 ", " 9 ",
    " 1 ", " 0 ", " 3 ", " 9 ", " 11 ", " 7 ", " 32767 ", "-32768 ", " 60 ", " 15 ", " 2 ", " 3 ",
    " 1 ", " 0 ", " 2 ", " 1 ", " 13 ", " 1 ", " 100 ", " 50 ", " 61 ", " 0 ", "-1 ", " 4 ",
    " 0 ", " 1 ", " 1 ", " 11 ", " 2 ", " 2 ", " 99 ", " 51 ", " 62 ", " 1 ", " 5 ", " 6 ",
    " 1001  2001  3001  4001  5001  6001  7001  8001  9001  10001  11001  12001  13001  14001  "
    "15001  16001 ",
    " 7 ", " 1 ", " 3.5 ", " 12.25 ", " 1 ", " 1.5E+07 ", " 1 ", " .125 ", " 2500 ", " 1 ",
    " 1.5E-06 ", " 81 ", " 1 ", " 10 ", " 1 ", " 4 ", " 10 ", " 255 ", " 0 ", " 1 ", " 120 ",
    " 255 "};

// The factory file's lines with some replaced: {index from 0, text}.
inline std::vector<std::string> FactoryWith(
    std::initializer_list<std::pair<std::size_t, std::string>> edits) {
    std::vector<std::string> file = kFactoryLines;
    for (const auto& [line, text] : edits)
        file[line] = text;
    return file;
}

inline std::string SettingsPath() { return mapPath(state().SettingsFilePath); }
inline std::string ReadSettingsBytes() { return readFile(SettingsPath()); }
inline void WriteSettingsBytes(const std::string& bytes) { writeFile(SettingsPath(), bytes); }

// Reads the settings file answering the first-run port prompts, if they come, with 3, 5 and
// None; the dialogs shown, each after a beep.
inline std::vector<ShownDialog> ReadAnsweringPorts() {
    ScriptedDialogs d;
    d.answerPort(3).answerPort(5).answerPort(0);
    ReadSettingsFile();
    EXPECT_EQ(d.beeps(), static_cast<int>(d.shown().size()));
    return d.shown();
}

} // namespace vz::test
