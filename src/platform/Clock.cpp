#include "platform/Clock.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <cstdio>

namespace vz {

namespace {

class SystemClock : public Clock {
public:
    SystemClock() { timer_.start(); }
    LocalDateTime now() const override {
        const QDateTime t = QDateTime::currentDateTime();
        const QDate d = t.date();
        const QTime tm = t.time();
        return {d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second()};
    }
    double monotonicSeconds() const override { return timer_.nsecsElapsed() / 1e9; }

private:
    QElapsedTimer timer_; // monotonic where the system offers it
};

Clock* installed = nullptr;

} // namespace

Clock& clock() {
    static SystemClock system;
    return installed ? *installed : system;
}

void setClock(Clock* c) { installed = c; }

std::string dateText() {
    const LocalDateTime t = clock().now();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", t.month, t.day, t.year);
    return buf;
}

std::string timeText() {
    const LocalDateTime t = clock().now();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

} // namespace vz
