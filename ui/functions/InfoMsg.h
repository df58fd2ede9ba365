#pragma once

#include "ui/functions/FunctionWindow.h"

#include <array>

class QLineEdit;
class QPushButton;

// The radio information: model, bands, serial number and write time. It only shows them; the
// serial number is editable when the model allows it (SerialEditable).
class TfInfoMsg : public TfFunctionWindow {
    Q_OBJECT
public:
    explicit TfInfoMsg(TfMaindb& db, QWidget* parent = nullptr);

protected:
    void Load() override;

private:
    // cxModel, cxFreq, cxSerial, cxRadioTime: one box for each line of TRadioInfo.
    std::array<QLineEdit*, 4> Boxes{};
    QLineEdit* cxSerial = nullptr;
    QPushButton* btnOk = nullptr;

    void SaveSerial();
};
