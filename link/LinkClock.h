#pragma once

#include <QtGlobal>
#include <functional>

// Time for the radio exchanges: the real clock runs on QTimer, the fake one in tests is advanced
// by hand, so every pause, time-out and retry runs without a real wait.
class TLinkClock {
public:
    virtual ~TLinkClock() = default;
    // Milliseconds since an arbitrary start.
    virtual qint64 Now() const = 0;
    // Calls back once, ms milliseconds from now, on the caller's thread; returns a handle.
    virtual int After(int ms, std::function<void()> callback) = 0;
    // Forgets a callback that has not run yet; unknown handles are ignored.
    virtual void Cancel(int handle) = 0;
};
