#include "FuzzState.h"

#include "core/Defaults.h"
#include "core/StartupTables.h"
#include "core/State.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

#include <unistd.h>

namespace vz::fuzz {

void ResetFuzzState() {
    // Never destroyed: at exit Qt's own statics may already be gone.
    static QGuiApplication* app = nullptr;
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "vz-fuzz";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
    }
    ResetState();
    BuildStartupTables();
    LoadDefaultsIntoRam();
    State& s = state();
    s.IfbPort = s.GpsPort = s.NmeaPort = 0;
}

const std::string& ScratchFile(std::string_view bytes) {
    static const std::string path =
        QDir::tempPath().toStdString() + "/vz-fuzz-" + std::to_string(::getpid()) + ".dat";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

} // namespace vz::fuzz
