#pragma once

#include "ui/channels/ChannelFields.h"
#include "widgets/EditorWindow.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class TfMaindb;
struct TOptionField;

// The VFO editor: the two frequency records 129 ("Freq_Down") and 130 ("Freq_Up") with their
// offset, duplex, tones and flags, and the frequency step both share, which decides the raster
// their frequencies and offsets are stored on.
class TfFreqEdit : public TfEditorWindow {
    Q_OBJECT
public:
    explicit TfFreqEdit(TfMaindb& db, QWidget* parent = nullptr);

    // Commits a half-typed field.
    void Deactivate() override;

protected:
    void Prepare() override;
    void Load() override; // LoadVfo
    bool Shows(const TImageChange& change) const override;

private:
    const TOptionField& StepField;
    QRadioButton* cxDown = nullptr;
    QRadioButton* cxUps = nullptr;
    QLineEdit* cxRxSv = nullptr;
    QLineEdit* cxTxSv = nullptr;
    QComboBox* cxStep = nullptr;
    TChannelFields Fields; // tones, lists and check boxes, in the order SaveVfo writes them
    bool RxBusy = false;
    bool TxBusy = false;

    void BuildForm(QGridLayout* form);
    int Record() const;
    void WriteField(int code, QString text);
    void SaveVfo();
    void cxRxSvChange();
    void cxTxSvChange();
    void cxStepChange(int index);
};
