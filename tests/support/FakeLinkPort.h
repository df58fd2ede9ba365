#pragma once

#include "link/LinkClock.h"
#include "link/LinkPort.h"

#include <functional>
#include <vector>

// A serial port without a device: records every frame written with the clock's time, hands the
// test's injected bytes to the reader, signals the line errors and losses the test asks for,
// and reports OutputPending as the test sets it.
class TFakeLinkPort : public TLinkPort {
public:
    struct TFrame {
        qint64 At;
        QByteArray Bytes;
    };

    explicit TFakeLinkPort(TLinkClock& clock) : Clock(clock) {}

    // What the test sets.
    QString OpenError; // when not empty, Open fails with it
    bool WriteFails = false;
    int Pending = 0;
    std::function<void(const QByteArray&)> OnWrite; // the radio at the other end

    // What the test reads.
    std::vector<TFrame> Frames;
    TLineSettings Settings;
    int Opens = 0;
    int InputFlushes = 0;
    int OutputFlushes = 0;

    bool Open(const TLineSettings& settings, QString* error) override {
        if (!OpenError.isEmpty()) {
            if (error) *error = OpenError;
            return false;
        }
        Settings = settings;
        IsOpened = true;
        ++Opens;
        return true;
    }
    void Close() override { IsOpened = false; }
    bool IsOpen() const override { return IsOpened; }
    void FlushInput() override {
        Input.clear();
        ++InputFlushes;
    }
    // Unsent bytes are dropped: Pending becomes 0.
    void FlushOutput() override {
        Pending = 0;
        ++OutputFlushes;
    }
    int OutputPending() override { return IsOpened ? Pending : 0; }
    bool WriteBlock(const QByteArray& bytes) override {
        if (WriteFails || !IsOpened) return false;
        Frames.push_back({Clock.Now(), bytes});
        if (OnWrite) OnWrite(bytes);
        return true;
    }
    QByteArray ReadAvailable() override {
        const QByteArray bytes = Input;
        Input.clear();
        return bytes;
    }

    void Inject(const QByteArray& bytes) {
        Input += bytes;
        emit DataAvailable(int(Input.size()));
    }
    void InjectLineError() { emit LineError(); }
    void Lose() {
        IsOpened = false;
        emit Lost(QStringLiteral("unplugged"));
    }

private:
    TLinkClock& Clock;
    QByteArray Input;
    bool IsOpened = false;
};
