#include "ui/channels/ToneBox.h"

#include "core/Codecs.h"
#include "core/ListTag.h"
#include "core/ToneList.h"
#include "ui/channels/ToneOption.h"
#include "widgets/CharValidator.h"
#include "widgets/ModalDialog.h"

#include <QEvent>
#include <QLineEdit>

TToneBox::TToneBox(const TALL& all, const QString& name, QWidget* parent)
    : QComboBox(parent), All(all) {
    setObjectName(name);
    setProperty("tag", ListTag::FirstItemOnly);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // a typed tone is taken as typed, never as completed
    addItems(ToneList());
    Validator = new TCharValidator(TCharRules::TKind::Tone, 0, this);
    setValidator(Validator);
    lineEdit()->installEventFilter(this);
    connect(this, qOverload<int>(&QComboBox::activated), this, &TToneBox::Accept);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &TToneBox::Accept);
    TakeNoneText();
}

void TToneBox::TakeNoneText() {
    Validator->SetKeptText(itemText(0));
    if (currentIndex() == 0) Shown = itemText(0);
}

QString TToneBox::Tone() const {
    const QString text = currentText();
    return text == itemText(0) ? QString() : text;
}

void TToneBox::SetTone(const QString& tone) {
    if (tone.isEmpty())
        setCurrentIndex(0);
    else
        setCurrentText(tone);
    Shown = currentText();
}

void TToneBox::PickTone() {
    TfToneOption picker(All, window());
    TModalDialog::Exec(picker);
    if (picker.SelectedTone().isEmpty()) return;
    setEditText(picker.SelectedTone());
    Accept();
}

// An empty text or the None text is no tone; any other text is cleaned into a tone.
void TToneBox::Accept() {
    const QString text = currentText().trimmed();
    if (text.isEmpty() || text == itemText(0))
        setCurrentIndex(0);
    else
        setEditText(NormalizeTone(text));
    if (currentText() == Shown) return;
    Shown = currentText();
    emit ToneChosen();
}

bool TToneBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        PickTone();
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}
