#pragma once

#include "link/LinkExchange.h"

// Writing the image to the radio: identification and model classification (the same model goes
// on, a compatible one after a Yes to the force-write question, any other ends with ModError),
// the date stamp into the image, then blocks 0 to 294 with a 'W' frame each, every one answered
// by an acknowledge. A finished write leaves the exchange ready for another one.
class TWriteExchange : public TLinkExchange {
    Q_OBJECT
public:
    static constexpr int BlockCount = 295;

    TWriteExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent = nullptr);

signals:
    // The radio has been accepted and the stamped image is about to go out.
    void Writing();

protected:
    void IdentReply() override;
    void BlockReply() override;

private:
    void Proceed();
    void Finish();
};
