#pragma once

#include "link/LinkClock.h"

#include <algorithm>
#include <vector>

// A link clock that stands still until the test advances it; due callbacks run in time order
// (in the order they were asked for when due together), each with the clock at its due time.
class TFakeLinkClock : public TLinkClock {
public:
    qint64 Now() const override { return Time; }

    int After(int ms, std::function<void()> callback) override {
        Pending.push_back({Time + std::max(ms, 0), ++LastHandle, std::move(callback)});
        return LastHandle;
    }

    void Cancel(int handle) override {
        Pending.erase(std::remove_if(Pending.begin(), Pending.end(),
                                     [handle](const TEntry& e) { return e.Handle == handle; }),
                      Pending.end());
    }

    void Advance(qint64 ms) {
        const qint64 end = Time + ms;
        for (;;) {
            const auto next = std::min_element(Pending.begin(), Pending.end(), Earlier);
            if (next == Pending.end() || next->Due > end) break;
            Time = next->Due;
            const std::function<void()> callback = std::move(next->Callback);
            Pending.erase(next);
            callback();
        }
        Time = end;
    }

    bool Idle() const { return Pending.empty(); }

private:
    struct TEntry {
        qint64 Due;
        int Handle;
        std::function<void()> Callback;
    };
    static bool Earlier(const TEntry& a, const TEntry& b) {
        return a.Due != b.Due ? a.Due < b.Due : a.Handle < b.Handle;
    }

    qint64 Time = 0;
    int LastHandle = 0;
    std::vector<TEntry> Pending;
};
