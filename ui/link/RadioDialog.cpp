#include "ui/link/RadioDialog.h"

#include "widgets/DialogButton.h"
#include "link/LinkExchange.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"
#include "link/SerialPort.h"
#include "link/TimerClock.h"
#include "widgets/TranslateForm.h"

#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int DialogWidth = 360;

} // namespace

TfRadioDialog::TfRadioDialog(TfMaindb& db, const QString& name, const QString& caption,
                             TRadioLink link, QWidget* parent)
    : QDialog(parent), Db(db), Link(link) {
    if (!Link.Port) {
        OwnPort = std::make_unique<TSerialPort>();
        Link.Port = OwnPort.get();
    }
    if (!Link.Clock) {
        OwnClock = std::make_unique<TTimerClock>();
        Link.Clock = OwnClock.get();
    }
    setObjectName(name);
    setWindowTitle(caption);
    setMinimumWidth(DialogWidth);

    pBar = new QProgressBar(this);
    pBar->setObjectName(QStringLiteral("pBar"));
    const TOkCancelRow buttons = MakeOkCancelRow(this);
    btnOk = buttons.Ok;
    auto* form = new QVBoxLayout(this);
    form->addWidget(pBar);
    form->addLayout(buttons.Row);
}

TfRadioDialog::~TfRadioDialog() {
    if (Exchange) Exchange->Close();
}

void TfRadioDialog::Follow(std::unique_ptr<TLinkExchange> exchange) {
    Exchange = std::move(exchange);
    pBar->setRange(0, Exchange->ProgressMaximum());
    pBar->setValue(Exchange->Progress());
    btnOk->setEnabled(Exchange->OkEnabled());
    connect(btnOk, &QPushButton::clicked, Exchange.get(), &TLinkExchange::Ok);
    connect(Exchange.get(), &TLinkExchange::OkEnabledChanged, btnOk, &QWidget::setEnabled);
    connect(Exchange.get(), &TLinkExchange::ProgressChanged, pBar,
            [this](int position, int maximum) {
                pBar->setMaximum(maximum);
                pBar->setValue(position);
            });
    connect(Exchange.get(), &TLinkExchange::Message, this, &TfRadioDialog::ShowLinkMessage);
    connect(Exchange.get(), &TLinkExchange::CloseRequested, this, &QWidget::close);
}

void TfRadioDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TfRadioDialog::FormShow() {
    TranslateForm(this, Db.All, false);
    Exchange->Start();
}

// Every way of closing the dialog (Cancel, Esc, the close button, the exchange's own request)
// ends here.
void TfRadioDialog::done(int result) {
    Exchange->Close();
    QDialog::done(result);
}

void TfRadioDialog::ShowLinkMessage(const TLinkMessage& message) {
    const int answer = ShowMessageBox(message.Caption, message.Text, message.Kind);
    if (message.Kind == MessageKind::YesNo) Exchange->Answer(answer == MessageResult::Yes);
}
