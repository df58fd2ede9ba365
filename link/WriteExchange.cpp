#include "link/WriteExchange.h"

#include "core/Codecs.h"
#include "core/Maindb.h"

TWriteExchange::TWriteExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent)
    : TLinkExchange(db, port, clock,
                    TExchangeRules{5000, BlockCount - 1, /*FreshOpen*/ false,
                                   /*OkAfterTryTimeout*/ true},
                    parent) {}

void TWriteExchange::IdentReply() {
    HeadTime.Stop();
    const QString code = QString::fromLatin1(reinterpret_cast<const char*>(&RxBuf[1]), 4);
    const TMacType* model = Db.MacList.FindByCode(code);
    if (model && model->Code == Db.All.ModelCode) {
        Proceed();
        return;
    }
    if (model && model->ChannelCount == Db.All.ChannelCount) {
        Ask(&TLanguage::Modforce, Db.Language.ModError + Db.Language.Modforce, [this](bool yes) {
            if (yes) {
                Proceed();
                return;
            }
            State = TState::Idle;
            CloseTime.Start();
            EndAttempt(false);
        });
        return;
    }
    State = TState::Idle;
    SendFrame(Frame('E'), 0, false, [this] {
        CloseTime.Start();
        ShowError(&TLanguage::ModError);
        EndAttempt(false);
    });
}

// The date stamp lies in block 294, so the radio receives it with this write.
void TWriteExchange::Proceed() {
    EncodeDateStamp(&Db.All.Image[Addr::DateStamp],
                    Db.Now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    emit Writing();
    State = TState::Blocks;
    Block = -1;
    SendFrame(Frame(0x06), 1, true, [this] { TryTime.Start(); });
}

void TWriteExchange::BlockReply() {
    if (RxBuf[0] != 0x06) return; // the running TryTime decides
    TryTime.Stop();
    if (++Block == BlockCount) {
        Finish();
        return;
    }
    const auto data = reinterpret_cast<const char*>(&Db.All.Image[Block * 16]);
    SendFrame(BlockFrame('W', Block) + QByteArray(data, 16), 1, false, [this] {
        TryTime.Start();
        SetProgress(Progress() + 1);
    });
}

void TWriteExchange::Finish() {
    State = TState::Idle;
    SendFrame(Frame('E'), 0, false, [this] {
        SetProgress(ProgressMaximum());
        ShowMessage(&TLanguage::WriteOk);
        SetProgress(0);
        SetOkEnabled(true);
        EndAttempt(true);
    });
}
