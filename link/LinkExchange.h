#pragma once

#include "link/LinkMachine.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class TfMaindb;

// What sets the read and the write apart in the frame handling they share.
struct TExchangeRules {
    int DrainLimitMs = 1000; // the longest transmit-drain wait after a frame
    int ProgressMaximum = 0;
    bool FreshOpen = false;         // close the port before opening it, flush it afterwards
    bool OkAfterTryTimeout = false; // a reply time-out during the blocks enables OK again
};

// The part of a radio exchange that the read and the write share: opening the port, the OK
// procedure with the two wake-ups, the identification request, the frame sequence (20 ms pause,
// send, drain wait), the reception rule, the reply time-outs and the one-error-per-attempt rule.
// A state machine on an injected port and clock that never blocks (TLinkMachine).
//
// A view drives it with Start (when shown), Ok (the OK button), Answer (a question's answer) and
// Close (closing by any means), and follows the signals.
class TLinkExchange : public TLinkMachine {
    Q_OBJECT
    const TExchangeRules Rules;

public:
    enum class TState { Idle, WakeUp, Ident, Blocks };

    // Showing the dialog: opens the port after a 50 ms pause. OK becomes enabled when the port
    // is open; when it cannot be opened the PortError message follows and, 300 ms later,
    // CloseRequested. Runs once; later calls are ignored.
    void Start();
    // The OK button: starts an attempt. Ignored while OK is disabled.
    void Ok();
    // Closing the view by any means: stops everything at once and closes the port; the exchange
    // does nothing afterwards. A cancelled attempt sends no Finished.
    void Close();

    bool OkEnabled() const { return OkOn; }
    // An attempt is in progress: from Ok until Finished.
    bool Busy() const { return Active; }
    int Progress() const { return Position; }
    int ProgressMaximum() const { return Rules.ProgressMaximum; }

signals:
    void ProgressChanged(int position, int maximum);
    void OkEnabledChanged(bool enabled);
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
    // Stops every timer but CloseTime.
    void StopGuards();

    void ShowMessage(QString TLanguage::*text);
    // Shows an error unless one has been shown in this attempt.
    void ShowError(QString TLanguage::*text, const QString& detail = QString());
    void Ask(QString TLanguage::*key, const QString& text, std::function<void(bool)> answered);
    void SetProgress(int position);
    void SetOkEnabled(bool enabled);

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
    int Position = 0;
    bool OkOn = false;
    bool Started = false;
    bool Active = false;

    void BytesArrived() override;
    void LineErrorArrived() override;
    void PortLost() override;
    void OpenLine();
    void WakeUpReply();
    void XTimerExpired();
    void HeadTimeExpired();
    void TryTimeExpired();
};
