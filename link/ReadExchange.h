#pragma once

#include "link/LinkExchange.h"

// Reading the radio's memory into the image: identification and model check, then blocks 0 to
// 296 with an 'R' frame each, acknowledged one by one. Only a completed read replaces the image
// (and then runs the derivations of a radio image, sets Modified and Done); a failed or
// cancelled one leaves the image, the model fields and Modified as they were. The first line
// error in the exchange's life restarts the read by itself after 500 ms.
class TReadExchange : public TLinkExchange {
    Q_OBJECT
public:
    static constexpr int BlockCount = 297;

    TReadExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent = nullptr);

    // A read has completed and replaced the image.
    bool Done() const { return IsDone; }

protected:
    void BeginAttempt() override { IsDone = false; }
    void IdentReply() override;
    void BlockReply() override;
    void LineError() override;

private:
    TLinkTimer& ReTime;
    std::array<uint8_t, BlockCount * 16> ReadBuf{};
    QString ReplyCode;
    uint8_t IdentByte = 0xFF;
    bool FirstTry = true;
    bool IsDone = false;

    void Finish();
    void AcceptImage();
};
