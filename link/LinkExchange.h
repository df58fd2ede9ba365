#pragma once

#include "Language.h"
#include "LinkPort.h"
#include "LinkTimer.h"
#include "MessageBox.h"

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TALL;
class TLinkClock;
class TfMaindb;

// A message an exchange asks its view to show. Kind is MessageKind::Information, or
// MessageKind::YesNo for a question: the exchange then waits until Answer() is called.
struct TLinkMessage {
    QString Key;     // the text's key in the language file ("PortError", "ComError", ...)
    QString Caption; // the Confirmation text
    QString Text;
    int Kind = MessageKind::Information;
};
Q_DECLARE_METATYPE(TLinkMessage)

// What sets the read and the write apart in the frame handling they share.
struct TExchangeRules {
    int DrainPollMs = 20; // the transmit-drain wait after each frame: poll interval
    int DrainPolls = 50;  // and the number of polls at most
    int ProgressMaximum = 0;
    bool FreshOpen = false;         // close the port before opening it, flush it afterwards
    bool OkAfterTryTimeout = false; // a reply time-out during the blocks enables OK again
};

// The part of a radio exchange that the read and the write share: opening the port, the OK
// procedure with the two wake-ups, the identification request, the frame sequence (20 ms pause,
// send, drain wait), the reception rule, the reply time-outs and the one-error-per-attempt rule.
//
// It is a state machine on an injected port and clock and never blocks: every pause is a step on
// the clock. Received bytes, line errors and timer expiries that come during a pause, or while a
// question waits for its answer, are held and handled when it ends (bytes first, then line
// errors, then timers in expiry order), which is the order a blocking wait would give.
//
// A view drives it with Start (when shown), Ok (the OK button), Answer (a question's answer) and
// Close (closing by any means), and follows the signals. Message handlers may show a modal box:
// anything that happens meanwhile is held until they return. Do not delete the exchange from
// inside its own signals (use deleteLater); the clock must outlive it.
class TLinkExchange : public QObject {
    Q_OBJECT
    // First, so they exist before the timers below are made.
    const TExchangeRules Rules;
    std::vector<std::unique_ptr<TLinkTimer>> Timers;

public:
    enum class TState { Idle, WakeUp, Ident, Blocks };

    ~TLinkExchange() override;

    // Showing the dialog: opens the port after a 50 ms pause. OK becomes enabled when the port
    // is open; when it cannot be opened the PortError message follows and, 300 ms later,
    // CloseRequested. Runs once; later calls are ignored.
    void Start();
    // The OK button: starts an attempt. Ignored while OK is disabled.
    void Ok();
    // The answer to the last Yes/No message; ignored when no question waits.
    void Answer(bool yes);
    // Closing the view by any means: stops everything at once and closes the port; the exchange
    // does nothing afterwards. A cancelled attempt sends no Finished.
    void Close();

    bool OkEnabled() const { return OkOn; }
    // An attempt is in progress: from Ok until Finished.
    bool Busy() const { return Active; }
    int Progress() const { return Position; }
    int ProgressMaximum() const { return Rules.ProgressMaximum; }

    // The wake-up frame: "PROGRAM" and a letter, 'a' to 'i' for n = 1 to 9, otherwise a random
    // one of 'e' to 'i'.
    QByteArray MakeWakeUp(int n) const;

    // The line of the current port name (PortLineSettings unless a test sets another).
    std::function<bool(const TALL&, TLineSettings*, QString*)> ResolveLine;
    // A random number from 0 to bound - 1.
    std::function<int(int bound)> Random;

signals:
    void ProgressChanged(int position, int maximum);
    void OkEnabledChanged(bool enabled);
    void Message(const TLinkMessage& message);
    // The attempt started by Ok is over: completed, or failed or declined (its message, if any,
    // has been shown). A read that retries on its own after a line error is not over.
    void Finished(bool completed);
    // The view should close now (300 ms after a failure or a completed read).
    void CloseRequested();

protected:
    TLinkExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock, const TExchangeRules& rules,
                  QObject* parent);

    // Reply processing by state, once Expected <= RxCount <= 48.
    virtual void IdentReply() = 0;
    virtual void BlockReply() = 0;
    // Called at the start of every attempt.
    virtual void BeginAttempt() {}
    // A line error during an attempt. This one ends the attempt with ComError and leaves the
    // dialog open with OK disabled.
    virtual void LineError();

    // The OK procedure: 450 ms, flush, 50 ms, wake-up 'a', xTimer.
    void StartAttempt();
    void EndAttempt(bool completed);
    // Frame sequence: ack puts 0x06 in the first byte; Expected and RxCount are set at once,
    // then come the 20 ms pause, the write and the drain wait, then `then`.
    void SendFrame(QByteArray frame, int expected, bool ack, std::function<void()> then);
    void Pause(int ms, std::function<void()> then);
    TLinkTimer& AddTimer(int interval, std::function<void()> handler);
    // Stops every timer but CloseTime.
    void StopGuards();

    void ShowMessage(QString TLanguage::*text);
    // Shows an error unless one has been shown in this attempt.
    void ShowError(QString TLanguage::*text, const QString& detail = QString());
    void Ask(QString TLanguage::*key, const QString& text, std::function<void(bool)> answered);
    void SetProgress(int position);
    void SetOkEnabled(bool enabled);

    static QByteArray Frame(uint8_t byte) { return QByteArray(1, char(byte)); }
    // command, address high, address low, 0x10
    static QByteArray BlockFrame(char command, int block);

    TfMaindb& Db;
    TLinkPort& Port;
    TLinkClock& Clock;

    TState State = TState::Idle;
    std::array<uint8_t, 51> RxBuf{};
    int RxCount = 0;
    int Expected = 0;
    bool AckMode = false;
    int Block = -1;
    bool ErrorShown = false;

    TLinkTimer& XTimer;
    TLinkTimer& HeadTime;
    TLinkTimer& TryTime;
    TLinkTimer& CloseTime;

private:
    TLineSettings Line;
    int PortNo = 0;
    int Position = 0;
    bool OkOn = false;
    bool Started = false;
    bool Active = false;
    bool Closed = false;

    // Holding: handlers running, a pause in progress or a question waiting.
    int Depth = 0;
    int PauseHandle = 0;
    bool AwaitingAnswer = false;
    std::function<void(bool)> PendingAnswer;
    bool DataHeld = false;
    bool LineErrorHeld = false;
    bool LostHeld = false;

    bool Holding() const;
    void Enter(const std::function<void()>& step);
    void Release();
    bool RunHeld();
    void CancelPause();

    void OpenLine();
    bool EnsureOpen(QString* reason);
    void Drain(int polls, std::function<void()> then);
    void TakeBytes();
    void WakeUpReply();
    void XTimerExpired();
    void HeadTimeExpired();
    void TryTimeExpired();
    void LinkLost();
    TLinkMessage MakeMessage(QString TLanguage::*key, const QString& text, int kind) const;
};
