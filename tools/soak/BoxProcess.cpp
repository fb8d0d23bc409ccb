#include "BoxProcess.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace soak {

BoxProcess::BoxProcess(QString program, QString link, QString logStem)
    : program_(std::move(program)), link_(std::move(link)), logStem_(std::move(logStem)) {}

BoxProcess::~BoxProcess() { stop(); }

bool BoxProcess::start(const QStringList& options) {
    const QString log = logStem_ + QString::number(logs_.size() + 1) + ".log";
    logs_.push_back({log, 0});
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->start(program_, QStringList{"--link", link_, "--log", log} + options);
    if (!process_->waitForStarted(5000)) return false;
    // The link appears once the pty is set up.
    for (int i = 0; i < 500; ++i) {
        if (QFileInfo::exists(link_)) return true;
        QThread::msleep(10);
    }
    return false;
}

bool BoxProcess::restart(const QStringList& options) {
    stop();
    return start(options);
}

void BoxProcess::stop() {
    if (!process_ || process_->state() == QProcess::NotRunning) return;
    process_->terminate();
    if (!process_->waitForFinished(3000)) process_->kill();
    process_->waitForFinished(3000);
}

void BoxProcess::readLogs() {
    for (Log& log : logs_) {
        QFile f(log.path);
        if (!f.open(QIODevice::ReadOnly) || !f.seek(log.offset)) continue;
        const QByteArray text = f.readAll();
        // Whole lines only; a line still being written is read next time.
        const qsizetype end = text.lastIndexOf('\n') + 1;
        log.offset += end;
        for (const QByteArray& line : text.left(end).split('\n')) {
            if (!line.startsWith("W ")) continue;
            ++writes_;
            // A ping starts with register 0 written with a processing code.
            if (line == "W 00 01" || line == "W 00 02" || line == "W 00 81" || line == "W 00 82") ++pings_;
        }
    }
}

} // namespace soak
