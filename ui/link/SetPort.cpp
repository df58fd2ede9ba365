#include "ui/link/SetPort.h"

#include "core/ListTag.h"
#include "core/All.h"
#include "widgets/DialogButton.h"
#include "link/PortNames.h"
#include "widgets/TranslateForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int ButtonColumns = 5;

} // namespace

TfSetPort::TfSetPort(TALL& all, QWidget* parent)
    : QDialog(parent), All(all), Source{ListComPorts, PortDescription} {
    setObjectName(QStringLiteral("fSetPort"));
    setWindowTitle(QStringLiteral("Communication Port"));

    cxPort = new QGroupBox(QStringLiteral("Port"), this);
    cxPort->setObjectName(QStringLiteral("cxPort"));
    auto* grid = new QGridLayout(cxPort);
    for (int i = 0; i < ButtonCount; ++i) {
        const QString number = QString::number(i + 1);
        cxPorts[i] = new QRadioButton(QStringLiteral("COM") + number, cxPort);
        cxPorts[i]->setObjectName(QStringLiteral("cxPort") + number);
        cxPorts[i]->setEnabled(false);
        grid->addWidget(cxPorts[i], i / ButtonColumns, i % ButtonColumns);
    }

    cxCom = new QComboBox(this);
    cxCom->setObjectName(QStringLiteral("cxCom"));
    cxCom->setProperty("tag", ListTag::NoItems); // port names are no text to translate
    cxCom->hide();
    lbName = new QLabel(QStringLiteral("Port:"), this);
    lbName->setObjectName(QStringLiteral("lbName"));
    lbName->hide();

    const TOkCancelRow buttons = MakeOkCancelRow(this);
    connect(buttons.Ok, &QPushButton::clicked, this, &TfSetPort::btnOkClick);
    auto* form = new QVBoxLayout(this);
    form->addWidget(cxPort, 1);
    form->addLayout(buttons.Row);
}

QRadioButton* TfSetPort::Button(int number) const {
    return number >= 1 && number <= ButtonCount ? cxPorts[number - 1] : nullptr;
}

void TfSetPort::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TfSetPort::FormShow() {
    if (All.LanguageIndex > 0) {
        TranslateForm(this, All, false);
        for (int number = 1; number <= ButtonCount; ++number)
            Button(number)->setText(lbName->text() + QString::number(number));
    }
    cxPort->setTitle(windowTitle());

    QStringList ports;
    Source.List(All, ports);
    cxCom->clear();
    cxCom->addItems(ports);
    for (const QString& port : ports) {
        const int number = PortNumber(port);
        if (QRadioButton* button = Button(number)) {
            button->setEnabled(true);
            button->setToolTip(Source.Describe(All, number));
        }
    }
    // The current port stays selected even when it is not present; only its first three
    // digits count.
    if (QRadioButton* current = Button(PortNumber(All.PortName.left(6)))) current->setChecked(true);
}

void TfSetPort::btnOkClick() {
    for (int number = 1; number <= ButtonCount; ++number)
        if (Button(number)->isChecked()) All.PortName = PortName(number);
    accept();
}
