#pragma once

#include "ui/functions/FunctionWindow.h"

// The scan settings: scan mode, priority channel, scan speed and dropout delay.
class TfScanFun : public TfFunctionWindow {
    Q_OBJECT
public:
    explicit TfScanFun(TfMaindb& db, QWidget* parent = nullptr);

protected:
    void Prepare() override;
};
