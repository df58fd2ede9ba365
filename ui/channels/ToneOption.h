#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QListWidget;
class QRadioButton;
class QTableWidget;
class TALL;

// The tone picker: the CTCSS tones and the DCS codes as tables, one shown at a time; a double
// click on a tone picks it and closes the dialog. Its caller shows it modally, reads
// SelectedTone and frees it; the dialog writes nothing to the image.
class TfToneOption : public QDialog {
    Q_OBJECT
public:
    explicit TfToneOption(const TALL& all, QWidget* parent = nullptr);

    // The picked tone text ("67.0", "D023N", "D023I"); empty when nothing was picked.
    const QString& SelectedTone() const { return Selected; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TALL& All;
    QString Selected;
    std::array<QRadioButton*, 3> Choices{}; // rCTCSS, rDCSN, rDCSI: their position is their tag
    std::array<QTableWidget*, 3> Tables{};  // gvCtcss, gvDcsN, gvDcsI
    QGroupBox* gbCodes = nullptr;
    QListWidget* lbSel = nullptr;

    void FillToneLists();
    void ShowTable(int tag);
    void TableDoubleClick(const QTableWidget* table, int row, int column);
};
