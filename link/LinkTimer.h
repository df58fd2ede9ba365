#pragma once

#include <QtGlobal>
#include <functional>

class TLinkClock;

// A one-shot timer of a radio exchange, on the link clock. Starting a running timer leaves its
// expiry as it was; stopping it and starting it again begins a full interval. An expiry does
// not run its handler at once: the timer becomes due and tells its owner, which fires it when
// no pause of the exchange is in progress (Fire), so an expiry during a pause waits for its end.
class TLinkTimer {
public:
    TLinkTimer(TLinkClock& clock, int interval, std::function<void()> handler,
               std::function<void()> becameDue);
    ~TLinkTimer();
    TLinkTimer(const TLinkTimer&) = delete;
    TLinkTimer& operator=(const TLinkTimer&) = delete;

    void Start();
    void Stop();
    // Running or due: started and not yet handled.
    bool IsActive() const { return Handle != 0 || Due; }
    bool IsDue() const { return Due; }
    qint64 DueSince() const { return DueTime; }
    // Runs the handler of a due timer; the timer is stopped first.
    void Fire();

private:
    TLinkClock& Clock;
    const int Interval;
    const std::function<void()> Handler;
    const std::function<void()> BecameDue;
    int Handle = 0;
    bool Due = false;
    qint64 DueTime = 0;
};
