#include "link/TimerClock.h"

#include <QTimer>

TTimerClock::TTimerClock() {
    Elapsed.start();
}

// A timer may be the one whose callback is running, so it is deleted later, not at once.
TTimerClock::~TTimerClock() {
    for (const auto& entry : Timers) {
        entry.second->stop();
        entry.second->deleteLater();
    }
}

qint64 TTimerClock::Now() const {
    return Elapsed.elapsed();
}

int TTimerClock::After(int ms, std::function<void()> callback) {
    const int handle = ++LastHandle;
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [this, handle, callback = std::move(callback)] {
                         const auto entry = Timers.find(handle);
                         if (entry == Timers.end()) return;
                         entry->second->deleteLater();
                         Timers.erase(entry);
                         callback();
                     });
    Timers[handle] = timer;
    timer->start(qMax(0, ms));
    return handle;
}

void TTimerClock::Cancel(int handle) {
    const auto entry = Timers.find(handle);
    if (entry == Timers.end()) return;
    entry->second->stop();
    entry->second->deleteLater();
    Timers.erase(entry);
}
