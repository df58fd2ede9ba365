#pragma once

#include "widgets/EditorWindow.h"

#include <QRandomGenerator>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class TfMaindb;

// The batch channel edit: fills a range of memory channels in one go (receive frequencies
// counting from a start, transmit frequencies in one of three ways, tones stepping through the
// tone list or chosen at random, common settings and names), or empties the range. "&Ok" fills
// and leaves the window open with its settings.
class TfBatch : public TfEditorWindow {
    Q_OBJECT
public:
    explicit TfBatch(TfMaindb& db, QWidget* parent = nullptr);

    // The random tones follow this seed from now on; the window seeds from the clock.
    void SeedRandom(quint32 seed) { Random.seed(seed); }

    // Commits a half-typed field.
    void Deactivate() override;

    // Fills (or empties) the range as the controls say.
    void ApplyBatch();

protected:
    void Prepare() override;
    void Load() override;
    bool Shows(const TImageChange& change) const override;

private:
    QRandomGenerator Random;
    QRadioButton* cxAll = nullptr;
    QRadioButton* cxChs = nullptr;
    QSpinBox* cxFrom = nullptr;
    QSpinBox* cxTo = nullptr;
    QCheckBox* cxClear = nullptr;
    QLineEdit* cxRx_freq = nullptr;
    QLineEdit* cxRx_Step = nullptr;
    QRadioButton* cxRx_asc = nullptr;
    QRadioButton* cxTx_def = nullptr;
    QRadioButton* cxTx_Exc = nullptr;
    QRadioButton* cxTx_Self = nullptr;
    QLineEdit* cxExc_Freq = nullptr;
    QRadioButton* cxDup_add = nullptr;
    QRadioButton* cxDup_Dec = nullptr;
    QLineEdit* cxTx_Freq = nullptr;
    QLineEdit* cxTx_step = nullptr;
    QRadioButton* cxTx_asc = nullptr;
    QRadioButton* cxTx_dec = nullptr;
    QComboBox* cxRx_Dcts = nullptr;
    QCheckBox* cxRx_Ran = nullptr;
    QSpinBox* cxRx_Dcts_step = nullptr;
    QRadioButton* cxRx_Dcts_asc = nullptr;
    QRadioButton* cxRx_Dcts_dec = nullptr;
    QRadioButton* cxTx_Dcts_def = nullptr;
    QRadioButton* cxTx_Dcts_self = nullptr;
    QComboBox* cxTx_Dcts = nullptr;
    QCheckBox* cxTx_ran = nullptr;
    QSpinBox* cxTx_Dcts_step = nullptr;
    QRadioButton* cxTx_Dcts_asc = nullptr;
    QRadioButton* cxTx_Dcts_dec = nullptr;
    QComboBox* cxPower = nullptr;
    QComboBox* cxWn = nullptr;
    QComboBox* cxApro = nullptr;
    QLineEdit* cxName = nullptr;
    QCheckBox* cxUse_Chs = nullptr;
    QCheckBox* cxTxRev = nullptr;
    QCheckBox* cxScan = nullptr;
    QCheckBox* cxBclo = nullptr;
    QCheckBox* cxVox = nullptr;

    QWidget* BuildRange();
    QWidget* BuildRxFrequency();
    QWidget* BuildTxFrequency();
    QWidget* BuildRxTone();
    QWidget* BuildTxTone();
    QWidget* BuildCommon();
    void ConnectChecks();
    void UpdateEnabled();

    double LowestBandEdge() const;
    bool InBand(double mhz) const;
    double RxStart() const;
    double TxStart() const;
    int RandomTone();
    void FillChannel(int n, double rx, double tx, int rxTone, int txTone);
};
