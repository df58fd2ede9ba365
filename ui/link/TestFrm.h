#pragma once

#include "ui/link/RadioDialog.h"

#include <QDialog>
#include <memory>

class QEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TPowerTableExchange;
class TfMaindb;
struct TLinkMessage;

// The online power test: reads the radio's power-setting table and writes each changed value
// to the radio at once. A thin view over TPowerTableExchange: the user picks a frequency segment and
// sets its low-power and high-power values with the track bars (mouse only, written on release)
// or the edits (written after user input). Closing by any means closes the port.
class TfTestFrm : public QDialog {
    Q_OBJECT
public:
    explicit TfTestFrm(TfMaindb& db, QWidget* parent = nullptr, TRadioLink link = {});
    ~TfTestFrm() override;
    void done(int result) override;

    TPowerTableExchange& Exchange() const { return *Test; }
    // The text of status panel 0, " COM: Opened" or " COM:  Closed".
    QString PortStatus() const;

public slots:
    void cxDebugClick();
    void cxCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TfMaindb& Db;
    // The exchange refers to the port and the clock, so it is declared after them and goes first.
    std::unique_ptr<TLinkPort> OwnPort;
    std::unique_ptr<TLinkClock> OwnClock;
    std::unique_ptr<TPowerTableExchange> Test;

    QWidget* cxAll = nullptr;
    QTreeWidget* cxFreq_Rang = nullptr;
    QLineEdit* cxFreq_Selv = nullptr;
    QSlider* tbTx0 = nullptr;
    QSlider* tbTx1 = nullptr;
    QSpinBox* ceTx0 = nullptr;
    QSpinBox* ceTx1 = nullptr;
    QFrame* fP0 = nullptr;
    QFrame* fP1 = nullptr;
    QFrame* fSTx = nullptr;
    QLabel* PortPanel = nullptr;
    QProgressBar* cxBar = nullptr;

    // The track bars are being set from the power table: nothing is written, no mark moves.
    bool Loading = false;
    // A track bar's position changed since the last mouse release.
    bool Changed = false;

    void BuildControls();
    void BuildStatusBar(QWidget* form);
    void Follow();
    void FormShow();
    void SetValuesEnabled(bool enabled);
    void cxFreq_RangChange(QTreeWidgetItem* item);
    void ShowValues();
    void TrackBarChange(QSlider* bar);
    void TackBarMouseUp(QSlider* bar);
    void EditValueChanged(QSpinBox* edit);
    void SetLevel(QSlider* bar);
    void SetPortStatus(bool open);
    void ShowLinkMessage(const TLinkMessage& message);
    int Row() const;
    QSpinBox* EditOf(QSlider* bar) const;
    QSlider* BarOf(QSpinBox* edit) const;
};
