#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class TALL;

// The communication-port dialog: offers COM1 to COM20, of which the ports that can be opened
// now are enabled, and sets PortName to the chosen one on OK.
class TfSetPort : public QDialog {
    Q_OBJECT
public:
    // Where the dialog learns which ports are present and what stands behind them; tests give
    // fakes.
    struct TPortSource {
        std::function<void(const TALL&, QStringList&)> List;
        std::function<QString(const TALL&, int)> Describe;
    };

    explicit TfSetPort(TALL& all, QWidget* parent = nullptr);
    // Takes effect at the next showing.
    void SetPortSource(TPortSource source) { Source = std::move(source); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int ButtonCount = 20;

    TALL& All;
    TPortSource Source;
    QGroupBox* cxPort = nullptr;
    std::array<QRadioButton*, ButtonCount> cxPorts{};
    QComboBox* cxCom = nullptr;
    QLabel* lbName = nullptr;

    void FormShow();
    void btnOkClick();
    QRadioButton* Button(int number) const;
};
