#pragma once

#include "core/Language.h"
#include "link/LinkPort.h"
#include "link/LinkTimer.h"
#include "core/MessageKind.h"

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TALL;
class TLinkClock;
class TfMaindb;

// A message an exchange asks its view to show. Kind is a MessageKind; for a question
// (MessageKind::YesNo, MessageKind::RetryCancel) the exchange waits until Answer() is called.
struct TLinkMessage {
    QString Key;     // the text's key in the language file ("PortError", "ComError", ...)
    QString Caption; // the Confirmation text
    QString Text;
    int Kind = MessageKind::Information;
};
Q_DECLARE_METATYPE(TLinkMessage)

// What every radio exchange runs on: the port and the clock, its one-shot timers, pauses as steps
// on the clock, the transmit-drain wait and the reception rule, and the holding of events.
//
// It never blocks. Received bytes, line errors and timer expiries that come while a step runs,
// during a pause, or while a question waits for its answer, are held and handled when it ends
// (bytes first, then line errors, then timers in expiry order), which is the order a blocking
// wait would give. A lost device is handled at once unless a step is running.
//
// Message handlers may show a modal box: anything that happens meanwhile is held until they
// return. Do not delete the exchange from inside its own signals (use deleteLater); the clock
// must outlive it.
class TLinkMachine : public QObject {
    Q_OBJECT
public:
    ~TLinkMachine() override;

    // The answer to the last question (Yes or Retry: true); ignored when no question waits.
    void Answer(bool yes);

    // The line of the current port name (PortLineSettings unless a test sets another).
    std::function<bool(const TALL&, TLineSettings*, QString*)> ResolveLine;
    // A random number from 0 to bound - 1.
    std::function<int(int bound)> Random;

signals:
    void Message(const TLinkMessage& message);

protected:
    TLinkMachine(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent);

    // The inputs from the port, each run when nothing is held: received bytes are waiting, the
    // line reported an error, the device is gone.
    virtual void BytesArrived() = 0;
    virtual void LineErrorArrived() {}
    virtual void PortLost() {}

    // Runs one step; whatever happens meanwhile is held until it returns.
    void Enter(const std::function<void()>& step);
    void Pause(int ms, std::function<void()> then);
    // After a frame: waits until the transmit buffer is empty, limitMs at most, then goes on
    // whether it is empty or not. It waits the time the queued bytes need on the line, then
    // looks again, so no frame waits longer than its bytes take to leave.
    void Drain(int limitMs, std::function<void()> then);
    TLinkTimer& AddTimer(int interval, std::function<void()> handler);
    void StopTimers(const TLinkTimer* except = nullptr);
    // A pause is in progress or a question waits for its answer.
    bool Waiting() const;
    // Forgets the pause in progress and the question waiting.
    void CancelWaits();
    // Stops everything at once and closes the port; every input is ignored afterwards.
    void Shutdown();
    bool IsShutDown() const { return Closed; }

    // Opens the port named by PortName at BaudRate; false with a reason when it cannot.
    bool OpenPort(QString* reason);
    // Opens the port again with the line last opened when it has been closed meanwhile.
    bool EnsureOpen(QString* reason);
    // The number of the port last opened.
    int PortNo() const { return Number; }

    TLinkMessage MakeMessage(QString TLanguage::*key, const QString& text, int kind) const;
    // An information message with its text from the language file; a detail, when given, follows
    // on a line of its own.
    TLinkMessage Notice(QString TLanguage::*key, const QString& detail = QString()) const;
    void Ask(const TLinkMessage& question, std::function<void(bool)> answered);

    // The reception rule: bytes are stored while count <= limit; true when the reply awaited is
    // complete, expected <= count <= limit.
    static bool Receive(const QByteArray& bytes, uint8_t* buffer, int limit, int expected,
                        int& count);
    // The acknowledge 0x06 stands in the first or the second byte of the reply.
    static bool AckInReply(const uint8_t* buffer, int count);
    static QByteArray Frame(uint8_t byte) { return QByteArray(1, char(byte)); }
    // command, address high, address low, 0x10: a request for the 16 bytes at block * 16
    static QByteArray BlockFrame(char command, int block);

    TfMaindb& Db;
    TLinkPort& Port;
    TLinkClock& Clock;

private:
    std::vector<std::unique_ptr<TLinkTimer>> Timers;
    TLineSettings Line;
    int Number = 0;
    bool Closed = false;

    // Holding: steps running, a pause in progress or a question waiting.
    int Depth = 0;
    int PauseHandle = 0;
    bool AwaitingAnswer = false;
    std::function<void(bool)> PendingAnswer;
    bool DataHeld = false;
    bool LineErrorHeld = false;
    bool LostHeld = false;

    qint64 DrainUntil = 0;

    static constexpr int DrainPollMs = 1;
    void DrainStep(int waitMs, std::function<void()> then);
    bool Holding() const;
    void Release();
    bool RunHeld();
};
