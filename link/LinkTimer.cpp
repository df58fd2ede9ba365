#include "link/LinkTimer.h"

#include "link/LinkClock.h"

TLinkTimer::TLinkTimer(TLinkClock& clock, int interval, std::function<void()> handler,
                       std::function<void()> becameDue)
    : Clock(clock), Interval(interval), Handler(std::move(handler)),
      BecameDue(std::move(becameDue)) {}

TLinkTimer::~TLinkTimer() {
    Stop();
}

void TLinkTimer::Start() {
    if (IsActive()) return;
    Handle = Clock.After(Interval, [this] {
        Handle = 0;
        Due = true;
        DueTime = Clock.Now();
        BecameDue();
    });
}

void TLinkTimer::Stop() {
    if (Handle != 0) Clock.Cancel(Handle);
    Handle = 0;
    Due = false;
}

void TLinkTimer::Fire() {
    if (!Due) return;
    Due = false;
    Handler();
}
