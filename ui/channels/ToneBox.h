#pragma once

#include <QComboBox>

class TALL;
class TCharValidator;

// An editable tone box of the channel edit and VFO windows: the tone list, typed tones kept to
// the tone characters and cleaned by NormalizeTone, and the tone picker on a double click. It
// tells of a tone the user chose (from the list, typed and accepted with Enter or by leaving
// the box, or picked) with ToneChosen; a tone set by the program is no choice.
class TToneBox : public QComboBox {
    Q_OBJECT
public:
    TToneBox(const TALL& all, const QString& name, QWidget* parent);

    // Takes the None text the translation gave item 0; run after translating the window.
    void TakeNoneText();
    // The tone shown: empty for no tone (item 0).
    QString Tone() const;
    // Shows a tone without counting it as a choice; empty shows item 0.
    void SetTone(const QString& tone);
    // Opens the tone picker; a picked tone is chosen as if typed.
    void PickTone();

signals:
    void ToneChosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TALL& All;
    TCharValidator* Validator = nullptr;
    QString Shown; // the text last set or chosen

    void Accept();
};
