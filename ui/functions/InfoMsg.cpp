#include "ui/functions/InfoMsg.h"

#include "core/Maindb.h"
#include "core/RadioInfo.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const BoxNames[] = {"cxModel", "cxFreq", "cxSerial", "cxRadioTime"};
constexpr int SerialLine = 2;
constexpr int SerialLength = 16;

} // namespace

TfInfoMsg::TfInfoMsg(TfMaindb& db, QWidget* parent)
    : TfFunctionWindow(db, QStringLiteral("fInfoMsg"), QStringLiteral("InfoMsg"),
                       QStringLiteral("Radio Information"), parent) {
    auto* panel = new QGroupBox(this);
    auto* grid = new QGridLayout(panel);
    const TRadioInfo info(db.All);
    for (int line = 0; line < int(Boxes.size()); ++line) {
        auto* label = new QLabel(info.Lines[line].Caption, panel);
        label->setObjectName(info.Lines[line].Label);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Boxes[line] = new QLineEdit(panel);
        Boxes[line]->setObjectName(QLatin1String(BoxNames[line]));
        Boxes[line]->setReadOnly(true);
        Boxes[line]->setBackgroundRole(QPalette::Button);
        label->setBuddy(Boxes[line]);
        grid->addWidget(label, line, 0);
        grid->addWidget(Boxes[line], line, 1);
    }
    cxSerial = Boxes[SerialLine];
    cxSerial->setMaxLength(SerialLength);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(btnCancel, 0, Qt::AlignRight);

    connect(btnOk, &QPushButton::clicked, this, [this] {
        SaveSerial();
        close();
    });
    connect(cxSerial, &QLineEdit::textChanged, this, [this] { SaveSerial(); });
}

void TfInfoMsg::Load() {
    const TRadioInfo info(Db.All);
    for (int line = 0; line < int(Boxes.size()); ++line)
        Boxes[line]->setText(info.Lines[line].Text);
    if (Db.All.SerialEditable) {
        cxSerial->setReadOnly(false);
        cxSerial->setBackgroundRole(QPalette::Base);
    }
}

// The box holds upper case only; the serial number is stored as shown.
void TfInfoMsg::SaveSerial() {
    if (!Db.All.SerialEditable) return;
    const QString upper = cxSerial->text().toUpper();
    if (upper != cxSerial->text()) {
        const int cursor = cxSerial->cursorPosition();
        cxSerial->setText(upper); // runs this handler again with the upper-case text
        cxSerial->setCursorPosition(cursor);
        return;
    }
    Edit([&] { WriteSerial(Db.All, upper); });
}
