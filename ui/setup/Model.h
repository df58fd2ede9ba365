#pragma once

#include "core/All.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TMacType;
class TfMaindb;

// The model information dialog: chooses the radio model and which of its bands are used, with
// which range. OK keeps the choice in Choice; it reaches the state object only when the main
// window actually makes the new image for it.
class TfModel : public QDialog {
    Q_OBJECT
public:
    // The model and bands chosen with OK.
    struct TChoice {
        uint8_t BandEnable = 0;
        std::array<TBand, BandCount> Bands{};
        QString ModelCode;
        void ApplyTo(TALL& all) const;
    };

    explicit TfModel(TfMaindb& db, QWidget* parent = nullptr);
    ~TfModel() override;
    // OK succeeded and Choice holds the choice; the main window then offers a new image.
    bool Accepted = false;
    TChoice Choice;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The controls of one band row.
    struct TBandRow {
        QWidget* Panel = nullptr;
        QLabel* Caption = nullptr;
        QLineEdit* Low = nullptr;
        QLineEdit* High = nullptr;
        QCheckBox* Use = nullptr;
        QRadioButton* Sel = nullptr;
    };

    TfMaindb& Db;
    QWidget* pMode = nullptr;
    QComboBox* cxModel = nullptr;
    QLabel* lRang = nullptr;
    QWidget* pKeys = nullptr;
    QButtonGroup* SelGroup = nullptr;
    std::array<TBandRow, BandCount> Rows;

    uint8_t ChosenMask = 0;
    uint8_t ChosenDefaults = 0;
    QString ChosenCode;
    bool Updating = false; // the dialog fills its controls: band switches are not user changes

    void CreateBandRow(int band);
    QLineEdit* CreateEdgeEdit(QWidget* panel, const QString& name, int left);
    const TMacType* Chosen() const;
    TBand InitialRange(int band) const;

    void FormShow();
    void cxModelPropertiesChange();
    void UpdateBandEdits();
    void LoadBandsFromImage(uint8_t selection);
    void cxUse_1PropertiesChange(int band);
    void cxSel_1Click(int tag);
    void LowerEdgeChanged(int band);
    void UpperEdgeChanged(int band);
    void btnOkClick();
};
