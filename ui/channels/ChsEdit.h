#pragma once

#include "ui/channels/ChannelFields.h"
#include "widgets/EditorWindow.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class TToneBox;
class TfMaindb;

// The channel edit window: one memory channel, the current channel that the grid follows too,
// in a form of labelled fields. Every accepted change is written into the image at once; the
// window follows the current channel and every change of its channel through the document.
class TfChsEdit : public TfEditorWindow {
    Q_OBJECT
public:
    explicit TfChsEdit(TfMaindb& db, QWidget* parent = nullptr);

    // Commits a half-typed field.
    void Deactivate() override;

protected:
    void Prepare() override;
    void Load() override; // LoadChannel
    bool Shows(const TImageChange& change) const override;

private:
    QComboBox* cxChs = nullptr;
    QLineEdit* cxRxSv = nullptr;
    QLineEdit* cxTxSv = nullptr;
    TToneBox* cxRxDcts = nullptr; // takes the focus after the transmit frequency
    QLineEdit* cxIdSv = nullptr;
    QLineEdit* cxNameSv = nullptr;
    TChannelFields Fields; // tones, lists and check boxes, in the order SaveChannel writes them
    bool RxBusy = false;
    bool TxBusy = false;

    void BuildForm(QGridLayout* form);
    int Current() const;
    void ClearFields();
    void SetFieldsEnabled(bool enabled);
    void SaveChannel();
    void cxRxSvChange();
    void cxTxSvChange();
    void cxChsChange(int index);
};
