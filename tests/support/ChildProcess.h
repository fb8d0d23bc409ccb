#pragma once
// A program run beside the test (a simulator, gpsd), ended when its object goes.
#include "support/Poll.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <algorithm>

namespace vz::test {

struct ChildProcess : QProcess {
    // `ready` once it has started and every path in `links` (the ptys it makes) exists.
    ChildProcess(const QString& program, const QStringList& arguments, const QStringList& links = {}) {
        start(program, arguments);
        started = waitForStarted(5000);
        ready = started && PollUntil(5.0, [&] {
                    return std::all_of(links.begin(), links.end(), [](const QString& l) { return QFileInfo::exists(l); });
                });
    }
    ~ChildProcess() override {
        if (state() == NotRunning) return;
        terminate();
        if (!waitForFinished(3000)) kill();
        waitForFinished(3000);
    }
    bool started, ready;
};

} // namespace vz::test
