#include "link/LinkMachine.h"

#include "link/LinkClock.h"
#include "core/Maindb.h"
#include "link/PortNames.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t Ack = 0x06;

QString KeyOf(QString TLanguage::*text) {
    for (int i = 0; i < TLanguage::MessageCount; ++i) {
        if (TLanguage::Messages[i].text == text)
            return QString::fromLatin1(TLanguage::Messages[i].key);
    }
    return QString();
}

} // namespace

TLinkMachine::TLinkMachine(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent)
    : QObject(parent), ResolveLine(PortLineSettings),
      Random([](int bound) { return int(QRandomGenerator::global()->bounded(bound)); }), Db(db),
      Port(port), Clock(clock) {
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
        Enter([this] { PortLost(); });
    });
}

TLinkMachine::~TLinkMachine() {
    CancelWaits();
}

TLinkTimer& TLinkMachine::AddTimer(int interval, std::function<void()> handler) {
    Timers.push_back(
        std::make_unique<TLinkTimer>(Clock, interval, std::move(handler), [this] { Release(); }));
    return *Timers.back();
}

void TLinkMachine::StopTimers(const TLinkTimer* except) {
    for (const auto& timer : Timers) {
        if (timer.get() != except) timer->Stop();
    }
}

// ---- holding events ----

bool TLinkMachine::Holding() const {
    return Closed || Depth > 0 || Waiting();
}

bool TLinkMachine::Waiting() const {
    return PauseHandle != 0 || AwaitingAnswer;
}

void TLinkMachine::Enter(const std::function<void()>& step) {
    ++Depth;
    step();
    --Depth;
    Release();
}

void TLinkMachine::Release() {
    while (!Holding()) {
        ++Depth;
        const bool ran = RunHeld();
        --Depth;
        if (!ran) return;
    }
}

bool TLinkMachine::RunHeld() {
    if (LostHeld) {
        LostHeld = false;
        PortLost();
        return true;
    }
    if (DataHeld) {
        DataHeld = false;
        BytesArrived();
        return true;
    }
    if (LineErrorHeld) {
        LineErrorHeld = false;
        LineErrorArrived();
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

void TLinkMachine::Pause(int ms, std::function<void()> then) {
    Q_ASSERT(PauseHandle == 0);
    PauseHandle = Clock.After(ms, [this, then = std::move(then)] {
        PauseHandle = 0;
        Enter(then);
    });
}

// The first look comes when the queued bytes can have crossed the line (a byte takes 11 bit
// times: start bit, 8 data bits, 2 stop bits), the next ones every millisecond.
void TLinkMachine::Drain(int limitMs, std::function<void()> then) {
    DrainUntil = Clock.Now() + limitMs;
    const double byteMs = Line.BaudRate > 0 ? 11000.0 / Line.BaudRate : 0.0;
    DrainStep(int(std::ceil(Port.OutputPending() * byteMs)), std::move(then));
}

void TLinkMachine::DrainStep(int waitMs, std::function<void()> then) {
    const qint64 left = DrainUntil - Clock.Now();
    if (Port.OutputPending() == 0 || left <= 0) {
        then();
        return;
    }
    Pause(int(std::clamp<qint64>(waitMs, DrainPollMs, left)),
          [this, then = std::move(then)]() mutable { DrainStep(DrainPollMs, std::move(then)); });
}

void TLinkMachine::CancelWaits() {
    if (PauseHandle != 0) Clock.Cancel(PauseHandle);
    PauseHandle = 0;
    AwaitingAnswer = false;
    PendingAnswer = nullptr;
}

void TLinkMachine::Shutdown() {
    if (Closed) return;
    Closed = true;
    CancelWaits();
    StopTimers();
    disconnect(&Port, nullptr, this, nullptr);
    Port.Close();
}

// ---- the port ----

bool TLinkMachine::OpenPort(QString* reason) {
    Number = PortNumber(Db.All.PortName);
    return ResolveLine(Db.All, &Line, reason) && Number > 0 && Port.Open(Line, reason);
}

bool TLinkMachine::EnsureOpen(QString* reason) {
    return Port.IsOpen() || (!Line.Device.isEmpty() && Port.Open(Line, reason));
}

bool TLinkMachine::Receive(const QByteArray& bytes, uint8_t* buffer, int limit, int expected,
                           int& count) {
    if (bytes.isEmpty()) return false;
    for (const char byte : bytes) {
        if (count <= limit) buffer[count++] = uint8_t(byte);
    }
    return expected <= count && count <= limit;
}

bool TLinkMachine::AckInReply(const uint8_t* buffer, int count) {
    return (count > 0 && buffer[0] == Ack) || (count > 1 && buffer[1] == Ack);
}

QByteArray TLinkMachine::BlockFrame(char command, int block) {
    const int address = block * 16;
    QByteArray frame(4, '\0');
    frame[0] = command;
    frame[1] = char(address >> 8);
    frame[2] = char(address & 0xFF);
    frame[3] = 0x10;
    return frame;
}

// ---- questions and messages ----

void TLinkMachine::Answer(bool yes) {
    if (!AwaitingAnswer) return;
    AwaitingAnswer = false;
    const std::function<void(bool)> answered = std::move(PendingAnswer);
    PendingAnswer = nullptr;
    Enter([&] { answered(yes); });
}

void TLinkMachine::Ask(const TLinkMessage& question, std::function<void(bool)> answered) {
    PendingAnswer = std::move(answered);
    AwaitingAnswer = true;
    emit Message(question);
}

TLinkMessage TLinkMachine::MakeMessage(QString TLanguage::*key, const QString& text,
                                       int kind) const {
    return TLinkMessage{KeyOf(key), Db.Language.Confirmation, text, kind};
}

TLinkMessage TLinkMachine::Notice(QString TLanguage::*key, const QString& detail) const {
    QString text = Db.Language.*key;
    if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
    return MakeMessage(key, text, MessageKind::Information);
}
