#pragma once

#include "link/LinkClock.h"

#include <QElapsedTimer>
#include <map>

class QTimer;

// The link clock of the running program: QElapsedTimer for the time, one precise single-shot
// QTimer per callback, on the thread that creates the clock.
class TTimerClock : public TLinkClock {
public:
    TTimerClock();
    ~TTimerClock() override;
    TTimerClock(const TTimerClock&) = delete;
    TTimerClock& operator=(const TTimerClock&) = delete;

    qint64 Now() const override;
    int After(int ms, std::function<void()> callback) override;
    void Cancel(int handle) override;

private:
    QElapsedTimer Elapsed;
    std::map<int, QTimer*> Timers;
    int LastHandle = 0;
};
