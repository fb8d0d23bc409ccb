#pragma once
// The simulated box as a child process on a pty at a fixed path, which can be started again
// (power coming back, a cable plugged in again) with other options. Counts, from the frames the
// box logged, the pings it was asked for and the register writes they took.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace soak {

class BoxProcess {
public:
    BoxProcess(QString program, QString link, QString logStem);
    ~BoxProcess();

    bool start(const QStringList& options);
    // Stops the running box (if still running) and starts another one on the same link.
    bool restart(const QStringList& options);
    int starts() const { return static_cast<int>(logs_.size()); }

    // Reads what the boxes logged since the last call.
    void readLogs();
    long pings() const { return pings_; }
    long writes() const { return writes_; }

private:
    struct Log {
        QString path;
        qint64 offset = 0;
    };
    void stop();

    QString program_, link_, logStem_;
    std::unique_ptr<QProcess> process_;
    std::vector<Log> logs_;
    long pings_ = 0;
    long writes_ = 0;
};

} // namespace soak
