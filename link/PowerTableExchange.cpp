#include "link/PowerTableExchange.h"

#include "core/All.h"
#include "core/Maindb.h"
#include "link/WakeUp.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int TryTimerMs = 1500;
constexpr int ErrsTimerMs = 300;
constexpr int YesTimerMs = 500;
constexpr int CloseTimerMs = 500;
constexpr int OpenPauseMs = 200;
constexpr int DrainLimitMs = 1000;
constexpr int AfterDrainMs = 20;

constexpr int RandomLetter = 97; // any n outside 1..9 gives a random wake-up letter 'e'..'i'
constexpr char TableRequest = 'S';
constexpr char ValueWrite = 'X';
constexpr char EndByte = 'E';
constexpr int TableReplyLength = 20;
constexpr int TableDataAt = 4;      // a table block's 16 bytes follow a 4-byte header in the reply
constexpr int TableReplyOffset = 5; // a table reply starts with the request's command + 5
constexpr int RxStoreLimit = 78;    // bytes are stored while RxCount <= 78
constexpr int SegmentMHz = 10;

QString FormatEdge(double mhz) {
    return QString::number(mhz, 'f', 3);
}

} // namespace

std::vector<TPowerSegment> PowerSegments(const TALL& all) {
    std::vector<TPowerSegment> segments;
    for (const int band : {1, 2, 3, 0}) {
        const TBand& range = all.Bands[size_t(band)];
        if (range.Low == 0) continue;
        for (double x = range.Low; x < range.High;) {
            const double edge =
                std::min(std::floor(x / SegmentMHz) * SegmentMHz + SegmentMHz, range.High);
            const QString text =
                FormatEdge(x) + QStringLiteral(" -- ") + FormatEdge(edge) + QStringLiteral("MHz");
            bool number = false;
            const int row = text.left(2).toInt(&number);
            if (number && row >= 0 && row < TPowerTableExchange::TableBlocks)
                segments.push_back({text, row});
            x = edge;
        }
    }
    return segments;
}

TPowerTableExchange::TPowerTableExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent)
    : TLinkMachine(db, port, clock, parent),
      TryTimer(AddTimer(TryTimerMs, [this] { TryTimerExpired(); })),
      ErrsTimer(AddTimer(ErrsTimerMs, [this] { ErrsTimerExpired(); })),
      YesTimer(AddTimer(YesTimerMs, [this] { YesTimerExpired(); })),
      CloseTimer(AddTimer(CloseTimerMs, [this] { emit CloseRequested(); })) {}

int TPowerTableExchange::PowerValue(int row, int level) const {
    const int address = row * 16 + level;
    return address >= 0 && address < TableSize ? PowerTable[size_t(address)] : 0;
}

// ---- the view's inputs ----

void TPowerTableExchange::Online() {
    if (Busy || IsShutDown() || Waiting()) return;
    Enter([this] {
        RxCount = 0;
        Slots.clear();
        QString reason;
        const bool opened = OpenPort(&reason);
        NotePortState();
        if (!opened) {
            emit Message(Notice(&TLanguage::PortError, reason));
            return;
        }
        SetBusy(true);
        emit ValuesEnabled(false);
        Pause(OpenPauseMs, [this] {
            BuildScript(TScriptKind::Online);
            StartScript(nullptr);
        });
    });
}

void TPowerTableExchange::SetLevel(int row, int level, int value) {
    const bool valid = row >= 0 && row < TableBlocks && (level == LowPower || level == HighPower) &&
                       value >= 0 && value <= 0xFF;
    if (!valid || Busy || IsShutDown() || Waiting()) return;
    Enter([=] {
        const int address = row * 16 + level;
        PowerTable[size_t(address)] = uint8_t(value);
        BuildScript(TScriptKind::SetLevel, address, value);
        StartScript(nullptr);
    });
}

void TPowerTableExchange::Finish() {
    if (Busy || IsShutDown() || Waiting()) return;
    Enter([this] {
        SetBusy(true);
        BuildScript(TScriptKind::Finish);
        StartScript([this] { CloseTimer.Start(); });
    });
}

// ---- scripts ----

void TPowerTableExchange::BuildScript(TScriptKind kind, int address, int value) {
    ScriptKind = kind;
    Slots.clear();
    Slots.push_back({MakeWakeUp(RandomLetter, Random), 1, TReplyKind::Ack});
    if (kind == TScriptKind::Online) {
        Slots.push_back({BlockFrame(TableRequest, 0), TableReplyLength, TReplyKind::TableBlock, 0,
                         TableBlocks - 1});
    } else if (kind == TScriptKind::SetLevel) {
        QByteArray frame(5, '\0');
        frame[0] = ValueWrite;
        frame[1] = char(address >> 8);
        frame[2] = char(address & 0xFF);
        frame[3] = 0x01;
        frame[4] = char(value);
        Slots.push_back({frame, 1, TReplyKind::Ack});
    }
    Slots.push_back({Frame(EndByte), 0, TReplyKind::NoReply});
}

// Nothing happens when the port is not open, apart from `then`.
void TPowerTableExchange::StartScript(std::function<void()> then) {
    if (!Port.IsOpen()) {
        if (then) then();
        return;
    }
    // Every table block but the first advances the bar as well.
    Maximum = int(Slots.size()) + (ScriptKind == TScriptKind::Online ? TableBlocks - 1 : 0);
    SetProgress(0);
    emit ProgressShown(true);
    SetBusy(true);
    CurSlot = 0;
    SendSlot([this, then = std::move(then)] {
        TryTimer.Start();
        if (then) then();
    });
}

// No pause before the frame; after it the drain wait and 20 ms more.
void TPowerTableExchange::SendSlot(std::function<void()> then) {
    const TSlot& slot = Slots[size_t(CurSlot)];
    Expected = slot.ReplyLen;
    RxCount = 0;
    // A frame that cannot be queued gets no reply, and the reply time-out asks what to do.
    Port.WriteBlock(slot.Frame);
    Drain(DrainLimitMs, [this, then = std::move(then)] { Pause(AfterDrainMs, then); });
}

void TPowerTableExchange::SendNextSlot() {
    const bool end = Slots[size_t(CurSlot)].Frame.at(0) == EndByte;
    SendSlot([this, end] {
        if (end) {
            SetProgress(Maximum);
            YesTimer.Start();
            return;
        }
        TryTimer.Start();
        SetProgress(Position + 1);
    });
}

// ---- reception ----

void TPowerTableExchange::BytesArrived() {
    if (!Receive(Port.ReadAvailable(), RxBuf.data(), RxStoreLimit, Expected, RxCount)) return;
    // Replies count only while a script waits for one; an abandoned script takes none.
    if (!Busy || CurSlot >= int(Slots.size())) return;
    if (!AcceptReply(Slots[size_t(CurSlot)])) return; // the running TryTimer decides
    TryTimer.Stop();
    SendNextSlot();
}

bool TPowerTableExchange::AcceptReply(TSlot& slot) {
    switch (slot.ReplyKind) {
    case TReplyKind::Ack:
        if (!AckInReply(RxBuf.data(), RxCount)) return false;
        ++CurSlot;
        return true;
    case TReplyKind::TableBlock: {
        const char command = slot.Frame.at(0);
        if (RxBuf[0] != uint8_t(command + TableReplyOffset)) return false;
        std::copy(RxBuf.begin() + TableDataAt, RxBuf.begin() + TableDataAt + 16,
                  PowerTable.begin() + slot.NextBlock * 16);
        if (++slot.NextBlock > slot.LastBlock)
            ++CurSlot;
        else
            slot.Frame = BlockFrame(command, slot.NextBlock);
        return true;
    }
    case TReplyKind::NoReply:
        break;
    }
    return false;
}

void TPowerTableExchange::PortLost() {
    NotePortState();
}

// ---- time-outs and the end of a script ----

void TPowerTableExchange::TryTimerExpired() {
    Ask(MakeMessage(&TLanguage::ComError, Db.Language.ComError, MessageKind::RetryCancel),
        [this](bool retry) { retry ? Retry() : Cancel(); });
}

// The same script again from its wake-up. A port lost meanwhile is opened again first.
void TPowerTableExchange::Retry() {
    QString reason;
    const bool open = EnsureOpen(&reason);
    NotePortState();
    if (!open) {
        emit Message(Notice(&TLanguage::PortError, reason));
        Cancel();
        return;
    }
    StartScript(nullptr);
}

void TPowerTableExchange::Cancel() {
    CurSlot = int(Slots.size());
    SetProgress(0);
    emit ProgressShown(false);
    ErrsTimer.Start();
}

void TPowerTableExchange::ErrsTimerExpired() {
    Port.Close();
    NotePortState();
    emit ProgressShown(false);
    SetBusy(false);
}

void TPowerTableExchange::YesTimerExpired() {
    if (ScriptKind == TScriptKind::Online) emit TableRead();
    emit ProgressShown(false);
    SetBusy(false);
    emit ValuesEnabled(Port.IsOpen());
}

// ---- what the view sees ----

void TPowerTableExchange::SetBusy(bool busy) {
    if (Busy == busy) return;
    Busy = busy;
    emit ControlsEnabled(!busy);
}

void TPowerTableExchange::SetProgress(int position) {
    Position = qBound(0, position, Maximum);
    emit ProgressChanged(Position, Maximum);
}

// The view's port status follows the port; values cannot be changed while it is closed.
void TPowerTableExchange::NotePortState() {
    const bool open = Port.IsOpen();
    if (open == WasOpen) return;
    WasOpen = open;
    emit PortOpenChanged(open);
    if (!open) emit ValuesEnabled(false);
}
