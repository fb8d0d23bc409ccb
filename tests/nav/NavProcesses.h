#pragma once
// Programs the navigation tests run beside the program: the simulated GPS and real NMEA
// listeners. Each is ended when its object goes.
#include "support/Poll.h"
#include "platform/Events.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <string>

namespace vz::test {

// gpssim is built beside ifbsim.
inline QString GpsSimPath() {
    const std::string ifbsim = VZ_IFBSIM_PATH;
    return QString::fromStdString(ifbsim.substr(0, ifbsim.size() - 6) + "gpssim");
}

class ChildProcess {
public:
    ChildProcess(const QString& program, const QStringList& arguments) {
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(program, arguments);
        started_ = process_.waitForStarted(5000);
    }
    ~ChildProcess() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished(3000);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return started_; }
    bool running() const { return process_.state() == QProcess::Running; }
    // Standard output received so far and not yet taken.
    QByteArray takeOutput() { return process_.readAllStandardOutput(); }

private:
    QProcess process_;
    bool started_ = false;
};

// gpssim started with `arguments`, running once every path in `links` exists.
class GpsSim : public ChildProcess {
public:
    GpsSim(const QStringList& arguments, const QStringList& links) : ChildProcess(GpsSimPath(), arguments) {
        ready_ = started() && test::PollUntil(5.0, [&] {
                     for (const QString& link : links)
                         if (!QFileInfo::exists(link)) return false;
                     return true;
                 });
    }
    bool ready() const { return ready_; }

private:
    bool ready_ = false;
};

inline bool Installed(const char* program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

} // namespace vz::test
