#pragma once

#include "core/DtmfCodes.h"
#include "ui/functions/FunctionWindow.h"

#include <array>

class QGridLayout;
class QLineEdit;
class QTabWidget;

// The DTMF functions: the encoder's timing and PTT ID codes on one page, the decoder's ID code,
// group code, timers and the stun code on the other.
class TfDtmfFun : public TfFunctionWindow {
    Q_OBJECT
public:
    explicit TfDtmfFun(TfMaindb& db, QWidget* parent = nullptr);

protected:
    void Prepare() override;
    void Load() override;

private:
    QTabWidget* cxDtmfInfo = nullptr;
    // cxEntv, cxEndv, cxIdSv, cxStunSv, in the order of TDtmfCode.
    std::array<QLineEdit*, 4> CodeBoxes{};

    QLineEdit* CodeBox(TDtmfCode code) const { return CodeBoxes[size_t(code) - 1]; }
    QLineEdit* AddCodeBox(QGridLayout* grid, int row, TDtmfCode code);
    QWidget* BuildEncodePage();
    QWidget* BuildDecodePage();
    void EnableCodeBoxes();
    void SaveDtmfCode(TDtmfCode code);
};
