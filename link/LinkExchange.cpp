#include "link/LinkExchange.h"

#include "core/Maindb.h"
#include "link/WakeUp.h"

namespace {

constexpr int XTimerMs = 200;
constexpr int HeadTimeMs = 1500;
constexpr int TryTimeMs = 1500;
constexpr int CloseTimeMs = 300;
constexpr int OpenPauseMs = 50;
constexpr int OkPauseMs = 450;
constexpr int FlushPauseMs = 50;
constexpr int FrameGapMs = 20;
constexpr int HeadTimeMessagePauseMs = 2500;

constexpr uint8_t Ack = 0x06;
constexpr uint8_t IdentRequest = 0x02;
constexpr int IdentReplyLength = 8;
constexpr int RxStoreLimit = 48; // bytes are stored while RxCount <= 48

} // namespace

TLinkExchange::TLinkExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock,
                             const TExchangeRules& rules, QObject* parent)
    : TLinkMachine(db, port, clock, parent), Rules(rules),
      XTimer(AddTimer(XTimerMs, [this] { XTimerExpired(); })),
      HeadTime(AddTimer(HeadTimeMs, [this] { HeadTimeExpired(); })),
      TryTime(AddTimer(TryTimeMs, [this] { TryTimeExpired(); })),
      CloseTime(AddTimer(CloseTimeMs, [this] { emit CloseRequested(); })) {}

// ---- the view's inputs ----

void TLinkExchange::Start() {
    if (Started || IsShutDown()) return;
    Started = true;
    Enter([this] {
        SetProgress(0);
        if (Rules.FreshOpen) Port.Close();
        Pause(OpenPauseMs, [this] { OpenLine(); });
    });
}

void TLinkExchange::OpenLine() {
    State = TState::Idle;
    QString reason;
    if (!OpenPort(&reason)) {
        CloseTime.Start();
        ShowError(&TLanguage::PortError, reason);
        return;
    }
    if (Rules.FreshOpen) {
        Port.FlushInput();
        Port.FlushOutput();
    }
    SetOkEnabled(true);
}

void TLinkExchange::Ok() {
    if (!OkOn || IsShutDown() || Waiting()) return;
    Enter([this] { StartAttempt(); });
}

void TLinkExchange::Close() {
    Active = false;
    Shutdown();
}

// ---- attempts ----

void TLinkExchange::StartAttempt() {
    Active = true;
    BeginAttempt();
    State = TState::Idle;
    ErrorShown = false;
    SetProgress(0);
    SetOkEnabled(false);
    Pause(OkPauseMs, [this] {
        QString reason;
        if (!EnsureOpen(&reason)) {
            ShowError(&TLanguage::PortError, reason);
            SetOkEnabled(true);
            EndAttempt(false);
            return;
        }
        RxCount = 0;
        Port.FlushInput();
        Port.FlushOutput();
        Pause(FlushPauseMs,
              [this] { SendFrame(MakeWakeUp(1, Random), 1, false, [this] { XTimer.Start(); }); });
    });
}

void TLinkExchange::EndAttempt(bool completed) {
    if (!Active) return;
    Active = false;
    emit Finished(completed);
}

void TLinkExchange::StopGuards() {
    StopTimers(&CloseTime);
}

void TLinkExchange::XTimerExpired() {
    State = TState::WakeUp;
    SendFrame(MakeWakeUp(PortNo(), Random), 1, false, [this] { HeadTime.Start(); });
}

void TLinkExchange::HeadTimeExpired() {
    State = TState::Idle;
    if (ErrorShown) {
        EndAttempt(false);
        return;
    }
    Pause(HeadTimeMessagePauseMs, [this] {
        CloseTime.Start();
        ShowError(&TLanguage::ComError);
        EndAttempt(false);
    });
}

void TLinkExchange::TryTimeExpired() {
    State = TState::Idle;
    if (!ErrorShown) {
        if (Rules.OkAfterTryTimeout) SetOkEnabled(true);
        CloseTime.Start();
        ShowError(&TLanguage::ComError);
    }
    EndAttempt(false);
}

void TLinkExchange::LineError() {
    StopGuards();
    State = TState::Idle;
    ShowError(&TLanguage::ComError);
    EndAttempt(false);
}

void TLinkExchange::LineErrorArrived() {
    if (Active) LineError();
}

// The device is gone, or a frame could not be queued: the attempt ends at once.
void TLinkExchange::PortLost() {
    if (!Active) return;
    CancelWaits();
    StopGuards();
    State = TState::Idle;
    CloseTime.Start();
    ShowError(&TLanguage::ComError);
    EndAttempt(false);
}

// ---- frames ----

void TLinkExchange::SendFrame(QByteArray frame, int expected, bool ack,
                              std::function<void()> then) {
    if (ack) frame[0] = char(Ack);
    AckMode = ack;
    Expected = expected;
    RxCount = 0;
    Pause(FrameGapMs, [this, frame, then = std::move(then)] {
        if (!Port.WriteBlock(frame)) {
            PortLost();
            return;
        }
        Drain(Rules.DrainLimitMs, then);
    });
}

// ---- reception ----

void TLinkExchange::BytesArrived() {
    if (!Receive(Port.ReadAvailable(), RxBuf.data(), RxStoreLimit, Expected, RxCount)) return;
    switch (State) {
    case TState::Idle:
        break;
    case TState::WakeUp:
        WakeUpReply();
        break;
    case TState::Ident:
        IdentReply();
        break;
    case TState::Blocks:
        BlockReply();
        break;
    }
}

void TLinkExchange::WakeUpReply() {
    if (!AckInReply(RxBuf.data(), RxCount)) return;
    AckMode = false;
    HeadTime.Stop();
    State = TState::Ident;
    SendFrame(Frame(IdentRequest), IdentReplyLength, false, [this] { HeadTime.Start(); });
}

// ---- what the view sees ----

void TLinkExchange::ShowMessage(QString TLanguage::*text) {
    emit Message(Notice(text));
}

void TLinkExchange::ShowError(QString TLanguage::*text, const QString& detail) {
    if (ErrorShown) return;
    ErrorShown = true;
    emit Message(Notice(text, detail));
}

void TLinkExchange::Ask(QString TLanguage::*key, const QString& text,
                        std::function<void(bool)> answered) {
    TLinkMachine::Ask(MakeMessage(key, text, MessageKind::YesNo), std::move(answered));
}

void TLinkExchange::SetProgress(int position) {
    Position = qBound(0, position, Rules.ProgressMaximum);
    emit ProgressChanged(Position, Rules.ProgressMaximum);
}

void TLinkExchange::SetOkEnabled(bool enabled) {
    if (OkOn == enabled) return;
    OkOn = enabled;
    emit OkEnabledChanged(enabled);
}
