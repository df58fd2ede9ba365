#include "ui/link/SetPort.h"

#include "core/All.h"
#include "core/Language.h"
#include "core/ListTag.h"
#include "core/MessageKind.h"
#include "link/PortNames.h"
#include "widgets/DialogButton.h"
#include "widgets/MessageBox.h"
#include "widgets/TranslateForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int ButtonColumns = 5;
constexpr int PortRole = Qt::UserRole;

} // namespace

TfSetPort::TfSetPort(TALL& all, const TLanguage& language, QWidget* parent)
    : QDialog(parent), All(all),
      Language(language), Source{ListPorts, [] { return UnboundUsbSerialAdapters(); }} {
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
    cxDevices = new QListWidget(this);
    cxDevices->setObjectName(QStringLiteral("cxDevices"));
    cxDevices->setProperty("tag", ListTag::NoItems);
    connect(cxDevices, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (QRadioButton* button = Button(item->data(PortRole).toInt())) button->setChecked(true);
    });
    lbProblems = new QLabel(this);
    lbProblems->setObjectName(QStringLiteral("lbProblems"));
    lbProblems->setWordWrap(true);
    lbProblems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbProblems->hide();

    lbName = TextLabel(QStringLiteral("lbName"), QStringLiteral("Port:"));
    lbUnplug = TextLabel(QStringLiteral("lbUnplug"),
                         QStringLiteral("Unplug the programming cable, then press OK."));
    lbPlugIn = TextLabel(QStringLiteral("lbPlugIn"),
                         QStringLiteral("Plug the programming cable in, then press OK."));
    lbNotFound = TextLabel(QStringLiteral("lbNotFound"),
                           QStringLiteral("No new port appeared. Check that the cable is plugged "
                                          "in, then press Retry to look again."));
    for (int i = 0; i < TPortTexts::Count; ++i)
        TextLabels[size_t(i)] = TextLabel(Texts.Texts[size_t(i)].Name, Texts.Text(i));

    btnFind = MakeDialogButton(QStringLiteral("btnFind"), QStringLiteral("Find my cable"), this);
    connect(btnFind, &QPushButton::clicked, this, &TfSetPort::btnFindClick);
    const TOkCancelRow buttons = MakeOkCancelRow(this);
    buttons.Row->insertWidget(0, btnFind);
    connect(buttons.Ok, &QPushButton::clicked, this, &TfSetPort::btnOkClick);
    auto* form = new QVBoxLayout(this);
    form->addWidget(cxPort);
    form->addWidget(cxDevices, 1);
    form->addWidget(lbProblems);
    form->addLayout(buttons.Row);
}

QLabel* TfSetPort::TextLabel(const QString& name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->hide();
    return label;
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
    for (int i = 0; i < TPortTexts::Count; ++i)
        Texts.Texts[size_t(i)].Text = TextLabels[size_t(i)]->text();
    cxPort->setTitle(windowTitle());
    ShowPorts(Source.Ports(All));
    // The current port stays selected even when it is not present; only its first three
    // digits count.
    if (QRadioButton* current = Button(PortNumber(All.PortName.left(6)))) current->setChecked(true);
}

// Only ports that can be opened now are enabled and in cxCom; the list shows every port.
void TfSetPort::ShowPorts(const std::vector<TPortInfo>& ports) {
    cxCom->clear();
    cxDevices->clear();
    for (QRadioButton* button : cxPorts) {
        button->setEnabled(false);
        button->setToolTip(QString());
    }
    for (const TPortInfo& port : ports) {
        const bool free = port.State == TPortState::Free;
        if (free) cxCom->addItem(PortName(port.Number));
        auto* item = new QListWidgetItem(Texts.Line(port), cxDevices);
        item->setData(PortRole, port.Number);
        if (QRadioButton* button = Button(port.Number)) {
            button->setEnabled(free);
            button->setToolTip(port.Line());
        }
    }
    const QStringList problems = Texts.Problems(ports, Source.Unbound());
    lbProblems->setText(problems.join(QStringLiteral("\n\n")));
    lbProblems->setVisible(!problems.isEmpty());
}

void TfSetPort::SelectPort(int number) {
    if (QRadioButton* button = Button(number)) button->setChecked(true);
    for (int row = 0; row < cxDevices->count(); ++row)
        if (cxDevices->item(row)->data(PortRole).toInt() == number) cxDevices->setCurrentRow(row);
}

// The port list with the cable unplugged against the list with it plugged in; the user may look
// again while the system is still making the new port.
void TfSetPort::btnFindClick() {
    ShowMessageBox(Language.Confirmation, lbUnplug->text(), MessageKind::Information);
    const std::vector<TPortInfo> unplugged = Source.Ports(All);
    ShowMessageBox(Language.Confirmation, lbPlugIn->text(), MessageKind::Information);
    for (;;) {
        const std::vector<TPortInfo> ports = Source.Ports(All);
        ShowPorts(ports);
        if (const int number = AppearedPort(unplugged, ports)) return SelectPort(number);
        if (ShowMessageBox(Language.Confirmation, lbNotFound->text(), MessageKind::RetryCancel) !=
            MessageResult::Retry)
            return;
    }
}

void TfSetPort::btnOkClick() {
    for (int number = 1; number <= ButtonCount; ++number)
        if (Button(number)->isChecked()) All.PortName = PortName(number);
    accept();
}
