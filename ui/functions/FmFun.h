#pragma once

#include "ui/functions/FunctionWindow.h"

class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

// The broadcast FM receiver: its current frequency, tuning step and receive inhibit on one
// page, its 25 memory channels in a grid of three column pairs on the other.
class TfFmFun : public TfFunctionWindow {
    Q_OBJECT
public:
    explicit TfFmFun(TfMaindb& db, QWidget* parent = nullptr);

    // Stores a half-typed current frequency.
    void Deactivate() override;

protected:
    void Prepare() override;
    void Load() override;

private:
    QTabWidget* cxChInfo = nullptr;
    QLineEdit* cxRx = nullptr;
    QLineEdit* cxFM_Min = nullptr;
    QLineEdit* cxFM_Max = nullptr;
    QTableWidget* gvData = nullptr;
    QLabel* LNo = nullptr;
    QLabel* LFreq = nullptr;
    QLabel* LErrNumber = nullptr;
    QString RxShown; // what cxRx showed before the user typed

    QWidget* BuildInformationPage();
    QWidget* BuildChannelPage();
    void BuildFmGrid();
    static int ChannelAt(int row, int column);
    void gvDataClick(int row, int column);
    void SaveCell(int row, int column, const QString& text);
    void cxRxCommit();
    // Stores a typed frequency into the slot; false, with a message, when it is no number.
    bool Store(int slot, const QString& text, QString& shown);
};
