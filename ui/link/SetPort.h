#pragma once

#include "link/PortInfo.h"
#include "link/PortTexts.h"
#include "link/UsbAdapters.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class TALL;
class TLanguage;

// The communication-port dialog: offers COM1 to COM20, of which the ports that can be opened
// now are enabled, and sets PortName to the chosen one on OK. Below them it lists every port
// with the device behind it and says what keeps the cable from working; "Find my cable" picks
// the port that appears when the user plugs the cable in.
class TfSetPort : public QDialog {
    Q_OBJECT
public:
    // Where the dialog learns which ports there are and which USB adapters the system sees
    // without a port; tests give fakes.
    struct TPortSource {
        std::function<std::vector<TPortInfo>(const TALL&)> Ports;
        std::function<std::vector<TUsbAdapter>()> Unbound;
    };

    TfSetPort(TALL& all, const TLanguage& language, QWidget* parent = nullptr);
    // Takes effect at the next showing.
    void SetPortSource(TPortSource source) { Source = std::move(source); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int ButtonCount = 20;

    TALL& All;
    const TLanguage& Language;
    TPortSource Source;
    TPortTexts Texts;
    QGroupBox* cxPort = nullptr;
    std::array<QRadioButton*, ButtonCount> cxPorts{};
    QComboBox* cxCom = nullptr;
    QListWidget* cxDevices = nullptr;
    QLabel* lbProblems = nullptr;
    QPushButton* btnFind = nullptr;
    // Hidden labels: translatable texts of the captions, prompts and port lines.
    QLabel* lbName = nullptr;
    QLabel* lbUnplug = nullptr;
    QLabel* lbPlugIn = nullptr;
    QLabel* lbNotFound = nullptr;
    std::array<QLabel*, TPortTexts::Count> TextLabels{};

    QLabel* TextLabel(const QString& name, const QString& text);
    void FormShow();
    void ShowPorts(const std::vector<TPortInfo>& ports);
    void SelectPort(int number);
    void btnFindClick();
    void btnOkClick();
    QRadioButton* Button(int number) const;
};
