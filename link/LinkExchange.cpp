#include "LinkExchange.h"

#include "LinkClock.h"
#include "Maindb.h"
#include "PortNames.h"

#include <QRandomGenerator>

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

QString KeyOf(QString TLanguage::*text) {
    for (int i = 0; i < TLanguage::MessageCount; ++i) {
        if (TLanguage::Messages[i].text == text)
            return QString::fromLatin1(TLanguage::Messages[i].key);
    }
    return QString();
}

} // namespace

TLinkExchange::TLinkExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock,
                             const TExchangeRules& rules, QObject* parent)
    : QObject(parent), Rules(rules), ResolveLine(PortLineSettings),
      Random([](int bound) { return int(QRandomGenerator::global()->bounded(bound)); }), Db(db),
      Port(port), Clock(clock), XTimer(AddTimer(XTimerMs, [this] { XTimerExpired(); })),
      HeadTime(AddTimer(HeadTimeMs, [this] { HeadTimeExpired(); })),
      TryTime(AddTimer(TryTimeMs, [this] { TryTimeExpired(); })),
      CloseTime(AddTimer(CloseTimeMs, [this] { emit CloseRequested(); })) {
    connect(&Port, &TLinkPort::DataAvailable, this, [this] {
        DataHeld = true;
        Release();
    });
    connect(&Port, &TLinkPort::LineError, this, [this] {
        LineErrorHeld = true;
        Release();
    });
    connect(&Port, &TLinkPort::Lost, this, [this] {
        if (Depth > 0) {
            LostHeld = true;
            return;
        }
        Enter([this] { LinkLost(); });
    });
}

TLinkExchange::~TLinkExchange() {
    CancelPause();
}

TLinkTimer& TLinkExchange::AddTimer(int interval, std::function<void()> handler) {
    Timers.push_back(
        std::make_unique<TLinkTimer>(Clock, interval, std::move(handler), [this] { Release(); }));
    return *Timers.back();
}

// ---- holding events during pauses ----

bool TLinkExchange::Holding() const {
    return Closed || Depth > 0 || PauseHandle != 0 || AwaitingAnswer;
}

void TLinkExchange::Enter(const std::function<void()>& step) {
    ++Depth;
    step();
    --Depth;
    Release();
}

void TLinkExchange::Release() {
    while (!Holding()) {
        ++Depth;
        const bool ran = RunHeld();
        --Depth;
        if (!ran) return;
    }
}

bool TLinkExchange::RunHeld() {
    if (LostHeld) {
        LostHeld = false;
        LinkLost();
        return true;
    }
    if (DataHeld) {
        DataHeld = false;
        TakeBytes();
        return true;
    }
    if (LineErrorHeld) {
        LineErrorHeld = false;
        if (Active) LineError();
        return true;
    }
    TLinkTimer* due = nullptr;
    for (const auto& timer : Timers) {
        if (timer->IsDue() && (!due || timer->DueSince() < due->DueSince())) due = timer.get();
    }
    if (!due) return false;
    due->Fire();
    return true;
}

void TLinkExchange::Pause(int ms, std::function<void()> then) {
    Q_ASSERT(PauseHandle == 0);
    PauseHandle = Clock.After(ms, [this, then = std::move(then)] {
        PauseHandle = 0;
        Enter(then);
    });
}

void TLinkExchange::CancelPause() {
    if (PauseHandle != 0) Clock.Cancel(PauseHandle);
    PauseHandle = 0;
}

// ---- the view's inputs ----

void TLinkExchange::Start() {
    if (Started || Closed) return;
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
    PortNo = PortNumber(Db.All.PortName);
    const bool open = ResolveLine(Db.All, &Line, &reason) && PortNo > 0 && Port.Open(Line, &reason);
    if (!open) {
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

bool TLinkExchange::EnsureOpen(QString* reason) {
    return Port.IsOpen() || (!Line.Device.isEmpty() && Port.Open(Line, reason));
}

void TLinkExchange::Ok() {
    if (!OkOn || Closed || PauseHandle != 0 || AwaitingAnswer) return;
    Enter([this] { StartAttempt(); });
}

void TLinkExchange::Answer(bool yes) {
    if (!AwaitingAnswer) return;
    AwaitingAnswer = false;
    const std::function<void(bool)> answered = std::move(PendingAnswer);
    PendingAnswer = nullptr;
    Enter([&] { answered(yes); });
}

void TLinkExchange::Close() {
    if (Closed) return;
    Closed = true;
    Active = false;
    AwaitingAnswer = false;
    PendingAnswer = nullptr;
    CancelPause();
    for (const auto& timer : Timers)
        timer->Stop();
    disconnect(&Port, nullptr, this, nullptr);
    Port.Close();
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
              [this] { SendFrame(MakeWakeUp(1), 1, false, [this] { XTimer.Start(); }); });
    });
}

void TLinkExchange::EndAttempt(bool completed) {
    if (!Active) return;
    Active = false;
    emit Finished(completed);
}

void TLinkExchange::StopGuards() {
    for (const auto& timer : Timers) {
        if (timer.get() != &CloseTime) timer->Stop();
    }
}

void TLinkExchange::XTimerExpired() {
    State = TState::WakeUp;
    SendFrame(MakeWakeUp(PortNo), 1, false, [this] { HeadTime.Start(); });
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

// The device is gone, or a frame could not be queued: the attempt ends at once.
void TLinkExchange::LinkLost() {
    if (!Active) return;
    CancelPause();
    AwaitingAnswer = false;
    PendingAnswer = nullptr;
    StopGuards();
    State = TState::Idle;
    CloseTime.Start();
    ShowError(&TLanguage::ComError);
    EndAttempt(false);
}

// ---- frames ----

QByteArray TLinkExchange::MakeWakeUp(int n) const {
    const char letter = (n >= 1 && n <= 9) ? char(0x60 + n) : char(0x65 + Random(5));
    return QByteArrayLiteral("PROGRAM") + letter;
}

QByteArray TLinkExchange::BlockFrame(char command, int block) {
    const int address = block * 16;
    QByteArray frame(4, '\0');
    frame[0] = command;
    frame[1] = char(address >> 8);
    frame[2] = char(address & 0xFF);
    frame[3] = 0x10;
    return frame;
}

void TLinkExchange::SendFrame(QByteArray frame, int expected, bool ack,
                              std::function<void()> then) {
    if (ack) frame[0] = char(Ack);
    AckMode = ack;
    Expected = expected;
    RxCount = 0;
    Pause(FrameGapMs, [this, frame, then = std::move(then)] {
        if (!Port.WriteBlock(frame)) {
            LinkLost();
            return;
        }
        Drain(0, then);
    });
}

// Goes on when the transmit buffer is empty or after the last poll, whichever comes first.
void TLinkExchange::Drain(int polls, std::function<void()> then) {
    if (Port.OutputPending() != 0 && polls < Rules.DrainPolls) {
        Pause(Rules.DrainPollMs,
              [this, polls, then = std::move(then)] { Drain(polls + 1, std::move(then)); });
        return;
    }
    then();
}

// ---- reception ----

void TLinkExchange::TakeBytes() {
    const QByteArray bytes = Port.ReadAvailable();
    if (bytes.isEmpty()) return;
    for (const char byte : bytes) {
        if (RxCount <= RxStoreLimit) RxBuf[RxCount++] = uint8_t(byte);
    }
    if (Expected > RxCount || RxCount > RxStoreLimit) return;
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

// The acknowledge may stand in the first or the second byte of the reply.
void TLinkExchange::WakeUpReply() {
    if (RxBuf[0] != Ack && !(RxCount > 1 && RxBuf[1] == Ack)) return;
    AckMode = false;
    HeadTime.Stop();
    State = TState::Ident;
    SendFrame(Frame(IdentRequest), IdentReplyLength, false, [this] { HeadTime.Start(); });
}

// ---- what the view sees ----

TLinkMessage TLinkExchange::MakeMessage(QString TLanguage::*key, const QString& text,
                                        int kind) const {
    return TLinkMessage{KeyOf(key), Db.Language.Confirmation, text, kind};
}

void TLinkExchange::ShowMessage(QString TLanguage::*text) {
    emit Message(MakeMessage(text, Db.Language.*text, MessageKind::Information));
}

void TLinkExchange::ShowError(QString TLanguage::*text, const QString& detail) {
    if (ErrorShown) return;
    ErrorShown = true;
    QString shown = Db.Language.*text;
    if (!detail.isEmpty()) shown += QLatin1Char('\n') + detail;
    emit Message(MakeMessage(text, shown, MessageKind::Information));
}

void TLinkExchange::Ask(QString TLanguage::*key, const QString& text,
                        std::function<void(bool)> answered) {
    PendingAnswer = std::move(answered);
    AwaitingAnswer = true;
    emit Message(MakeMessage(key, text, MessageKind::YesNo));
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
