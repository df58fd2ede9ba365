#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QListWidget;
class QRadioButton;
class TALL;

// The language dialog: offers up to three languages named in the settings file and switches
// LanguageIndex and LanguageName when the user picks another one.
class TfSetLanguage : public QDialog {
    Q_OBJECT
public:
    explicit TfSetLanguage(TALL& all, QWidget* parent = nullptr);
    // Whether OK changed the language.
    bool Changed() const { return ResultFlag; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TALL& All;
    bool ResultFlag = false;
    std::array<QRadioButton*, 3> cxLangs{};
    QComboBox* cxLang = nullptr;   // the names shown on screen
    QListWidget* cxName = nullptr; // the language file names, by the same position

    void FormShow();
    void btnOkClick();
    int ChosenIndex() const;
};
