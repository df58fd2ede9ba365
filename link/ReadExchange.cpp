#include "link/ReadExchange.h"

#include "core/ImageSetup.h"
#include "core/Maindb.h"

namespace {

constexpr int ReTimeMs = 500;
constexpr int BlockReplyLength = 20;
constexpr int BlockDataAt = 4; // the block's 16 bytes follow a 4-byte header in the reply

} // namespace

TReadExchange::TReadExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent)
    : TLinkExchange(db, port, clock,
                    TExchangeRules{1000, BlockCount - 1, /*FreshOpen*/ true,
                                   /*OkAfterTryTimeout*/ false},
                    parent),
      ReTime(AddTimer(ReTimeMs, [this] {
          SetOkEnabled(true);
          StartAttempt();
      })) {}

void TReadExchange::IdentReply() {
    HeadTime.Stop();
    const QString code = QString::fromLatin1(reinterpret_cast<const char*>(&RxBuf[1]), 4);
    if (!Db.MacList.FindByCode(code)) {
        // The read stops here; nothing that arrives later starts anything.
        State = TState::Idle;
        SendFrame(Frame('E'), 0, false, [this] {
            ShowError(&TLanguage::ModError);
            EndAttempt(false);
        });
        return;
    }
    ReplyCode = code;
    IdentByte = RxBuf[6];
    State = TState::Blocks;
    Block = -1;
    SendFrame(Frame(0x06), 1, true, [this] { TryTime.Start(); });
}

void TReadExchange::BlockReply() {
    if (AckMode) {
        if (RxBuf[0] != 0x06) return; // the running TryTime decides
        TryTime.Stop();
        if (++Block == BlockCount) {
            Finish();
            return;
        }
        SendFrame(BlockFrame('R', Block), BlockReplyLength, false, [this] { TryTime.Start(); });
        return;
    }
    TryTime.Stop();
    std::copy(RxBuf.begin() + BlockDataAt, RxBuf.begin() + BlockDataAt + 16,
              ReadBuf.begin() + Block * 16);
    SetProgress(Progress() + 1);
    SendFrame(Frame(0x06), 1, true, [this] { TryTime.Start(); });
}

void TReadExchange::Finish() {
    State = TState::Idle;
    SendFrame(Frame('E'), 0, false, [this] {
        SetProgress(ProgressMaximum());
        ShowMessage(&TLanguage::ReadOk);
        AcceptImage();
        IsDone = true;
        CloseTime.Start();
        EndAttempt(true);
    });
}

void TReadExchange::AcceptImage() {
    TALL& all = Db.All;
    std::copy(ReadBuf.begin(), ReadBuf.end(), all.Image.begin());
    TakeManualFreq(all);
    if (IdentByte != 0xFF) all.Image[Addr::BandEnable] = IdentByte & 0x55;
    AcceptRadioImage(Db.MacList, all, ReplyCode);
    all.Modified = true;
}

// The first line error restarts the read after 500 ms without a word; the timers of the broken
// attempt are stopped so that none of them speaks into the new one. A later line error ends the
// attempt with ComError 1.5 s later.
void TReadExchange::LineError() {
    Port.FlushInput();
    Port.FlushOutput();
    StopGuards();
    State = TState::Idle;
    if (FirstTry) {
        FirstTry = false;
        ReTime.Start();
        return;
    }
    TryTime.Start();
}
