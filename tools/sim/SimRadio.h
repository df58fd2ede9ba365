#pragma once

#include "tools/sim/SimMemory.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// The ZP-407NE's side of the programming protocol, without any I/O: received bytes go in, the
// bytes to answer come out. The radio is idle until a wake-up; in programming mode it answers
// identification, acknowledge, block and power-table requests in any order until the end byte.
class TSimRadio {
public:
    // Deliberate faults, to see how the PC copes with a radio that misbehaves.
    struct TOptions {
        QString ModelCode;          // 4 characters reported instead of the memory's model code
        uint8_t BandByte = 0xFF;    // byte 6 of the identification; 0xFF = none given
        int SilentAfter = -1;       // after this many frames the radio hangs; -1 = never
        bool JunkAck = false;       // a junk byte goes out before every acknowledge
        bool BadPowerReply = false; // power-table replies start with a wrong byte
    };

    // A partial frame is dropped when the next bytes come more than this much later.
    static constexpr qint64 FrameGapMs = 500;
    static constexpr char JunkByte = 0x00;

    TSimRadio(const TSimMemory& memory, const TOptions& options);

    // Takes the bytes received at nowMs (any monotonic milliseconds) and returns the answer.
    QByteArray Feed(const QByteArray& bytes, qint64 nowMs);

    bool Programming() const { return InProgramming; }
    const TSimMemory& Memory() const { return Mem; }

    // One line per frame received or run of bytes ignored: the bytes, what they were, the answer.
    std::function<void(const QString& line)> OnLog;
    // The end byte arrived; written tells whether blocks were written since the previous end.
    std::function<void(bool written)> OnEnd;

private:
    using THandler = QByteArray (TSimRadio::*)(const QByteArray& frame, QString& what);
    struct TRequest {
        char First;
        int Length;
        char LengthByte; // byte 3 of a block or power frame; 0 = the frame has none
        bool WhileIdle;
        THandler Answer;
    };
    static const TRequest Requests[];

    const TRequest* FindRequest(char first) const;
    bool Plausible(const TRequest& request) const;
    QByteArray Handle(const TRequest& request, const QByteArray& frame);
    void Log(const QByteArray& bytes, const QString& what, const QByteArray& reply = {}) const;
    QByteArray Ack() const;
    static int Address(const QByteArray& frame);

    QByteArray WakeUp(const QByteArray& frame, QString& what);
    QByteArray Identify(const QByteArray& frame, QString& what);
    QByteArray Acknowledge(const QByteArray& frame, QString& what);
    QByteArray ReadBlock(const QByteArray& frame, QString& what);
    QByteArray WriteBlock(const QByteArray& frame, QString& what);
    QByteArray ReadPower(const QByteArray& frame, QString& what);
    QByteArray WritePower(const QByteArray& frame, QString& what);
    QByteArray End(const QByteArray& frame, QString& what);

    TSimMemory Mem;
    TOptions Options;
    QByteArray Pending;
    qint64 LastByteMs = 0;
    bool InProgramming = false;
    bool Written = false;
    std::optional<bool> EndedWithWrites; // set by the end byte until OnEnd has run
    int Frames = 0;
};
