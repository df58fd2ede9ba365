#pragma once

#include "ui/functions/FunctionWindow.h"

class QComboBox;
class QLineEdit;

// The optional functions: the radio's general option fields, its seven-character name and the
// "Manual Freq." choice. Every change saves every field of the window.
class TfOptFun : public TfFunctionWindow {
    Q_OBJECT
public:
    explicit TfOptFun(TfMaindb& db, QWidget* parent = nullptr);

    // Saves a half-typed radio name.
    void Deactivate() override;

protected:
    void Load() override;

private:
    QLineEdit* cxOpenMsg = nullptr;
    QComboBox* cxFrq_Use = nullptr;

    void BuildLayout();
    void SaveOptions();
    void cxOpenMsgCommit();
};
