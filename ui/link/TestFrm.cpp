#include "ui/link/TestFrm.h"

#include "widgets/DialogButton.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"
#include "link/SerialPort.h"
#include "link/PowerTableExchange.h"
#include "link/TimerClock.h"
#include "widgets/TranslateForm.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int PortPanelWidth = 150;
constexpr int BarPanelWidth = 280;
constexpr int SparePanelWidth = 250;
constexpr int MarkSize = 12;
constexpr int RowRole = Qt::UserRole;

const QColor MarkColour(0, 160, 0);
const QColor TableUnread(Qt::white);
const QColor TableReadColour(Qt::red);

template <class TWidget> TWidget* Named(TWidget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QSlider* MakeBar(const char* name, int tag, QWidget* parent) {
    auto* bar = Named(new QSlider(Qt::Horizontal, parent), name);
    bar->setRange(0, 0xFF);
    bar->setProperty("tag", tag);
    bar->setFocusPolicy(Qt::NoFocus); // keys never reach it: only the mouse moves it
    return bar;
}

QSpinBox* MakeEdit(const char* name, QWidget* parent) {
    auto* edit = Named(new QSpinBox(parent), name);
    edit->setRange(0, 0xFF);
    edit->setKeyboardTracking(false); // a typed number counts once it is entered
    return edit;
}

// A small filled shape: a circle (a mark) or a square.
QFrame* MakeShape(const char* name, const QColor& colour, bool circle, QWidget* parent) {
    auto* shape = Named(new QFrame(parent), name);
    shape->setFixedSize(MarkSize, MarkSize);
    shape->setAutoFillBackground(true);
    QPalette palette = shape->palette();
    palette.setColor(QPalette::Window, colour);
    shape->setPalette(palette);
    if (circle)
        shape->setMask(QRegion(0, 0, MarkSize, MarkSize, QRegion::Ellipse));
    else
        shape->setFrameShape(QFrame::Box);
    return shape;
}

} // namespace

TfTestFrm::TfTestFrm(TfMaindb& db, QWidget* parent, TRadioLink link) : QDialog(parent), Db(db) {
    if (!link.Port) {
        OwnPort = std::make_unique<TSerialPort>();
        link.Port = OwnPort.get();
    }
    if (!link.Clock) {
        OwnClock = std::make_unique<TTimerClock>();
        link.Clock = OwnClock.get();
    }
    Test = std::make_unique<TPowerTableExchange>(db, *link.Port, *link.Clock);
    setObjectName(QStringLiteral("fTestFrm"));
    setWindowTitle(QStringLiteral("Power Test"));
    BuildControls();
    Follow();
}

TfTestFrm::~TfTestFrm() {
    Test->Close();
}

void TfTestFrm::BuildControls() {
    cxAll = Named(new QWidget(this), "cxAll");
    cxFreq_Rang = Named(new QTreeWidget(cxAll), "cxFreq_Rang");
    cxFreq_Rang->setHeaderHidden(true);
    cxFreq_Rang->setRootIsDecorated(false);
    cxFreq_Rang->setColumnCount(1);
    cxFreq_Rang->setProperty("tag", 0);
    cxFreq_Selv = Named(new QLineEdit(cxAll), "cxFreq_Selv");
    cxFreq_Selv->setReadOnly(true);

    auto* Ltx0 = Named(new QLabel(QStringLiteral("Low Power"), cxAll), "Ltx0");
    auto* Ltx1 = Named(new QLabel(QStringLiteral("High Power"), cxAll), "Ltx1");
    fP0 = MakeShape("fP0", MarkColour, true, cxAll);
    fP1 = MakeShape("fP1", MarkColour, true, cxAll);
    fP0->hide();
    fP1->hide();
    tbTx0 = MakeBar("tbTx0", TPowerTableExchange::LowPower, cxAll);
    tbTx1 = MakeBar("tbTx1", TPowerTableExchange::HighPower, cxAll);
    ceTx0 = MakeEdit("ceTx0", cxAll);
    ceTx1 = MakeEdit("ceTx1", cxAll);
    fSTx = MakeShape("fSTx", TableUnread, false, cxAll);

    // Nothing uses these; they stay hidden.
    auto* cxTx_On = MakeDialogButton(QStringLiteral("cxTx_On"), QStringLiteral("PTT"), cxAll);
    auto* lPass = Named(new QLabel(QStringLiteral("Pass Word"), cxAll), "lPass");
    auto* cxPass = Named(new QLineEdit(cxAll), "cxPass");
    cxPass->setEchoMode(QLineEdit::Password);
    for (QWidget* hidden : {static_cast<QWidget*>(cxTx_On), static_cast<QWidget*>(lPass),
                            static_cast<QWidget*>(cxPass)})
        hidden->hide();

    QPushButton* cxDebug =
        MakeDialogButton(QStringLiteral("cxDebug"), QStringLiteral("Online"), cxAll);
    QPushButton* cxClose =
        MakeDialogButton(QStringLiteral("cxClose"), QStringLiteral("Close"), cxAll);
    connect(cxDebug, &QPushButton::clicked, this, &TfTestFrm::cxDebugClick);
    connect(cxClose, &QPushButton::clicked, this, &TfTestFrm::cxCloseClick);

    auto* values = new QGridLayout;
    values->addWidget(Ltx0, 0, 0);
    values->addWidget(fP0, 0, 1);
    values->addWidget(tbTx0, 0, 2);
    values->addWidget(ceTx0, 0, 3);
    values->addWidget(Ltx1, 1, 0);
    values->addWidget(fP1, 1, 1);
    values->addWidget(tbTx1, 1, 2);
    values->addWidget(ceTx1, 1, 3);
    values->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fSTx);
    buttons->addStretch();
    buttons->addWidget(cxTx_On);
    buttons->addWidget(cxDebug);
    buttons->addWidget(cxClose);
    auto* right = new QVBoxLayout;
    right->addWidget(cxFreq_Selv);
    right->addLayout(values);
    right->addStretch();
    right->addWidget(lPass);
    right->addWidget(cxPass);
    right->addLayout(buttons);
    auto* all = new QHBoxLayout(cxAll);
    all->addWidget(cxFreq_Rang);
    all->addLayout(right, 1);

    auto* form = new QVBoxLayout(this);
    form->addWidget(cxAll, 1);
    BuildStatusBar(this);

    connect(cxFreq_Rang, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { cxFreq_RangChange(item); });
    for (QSlider* bar : {tbTx0, tbTx1}) {
        bar->installEventFilter(this);
        connect(bar, &QSlider::valueChanged, this, [this, bar] { TrackBarChange(bar); });
    }
    for (QSpinBox* edit : {ceTx0, ceTx1})
        connect(edit, &QSpinBox::valueChanged, this, [this, edit] { EditValueChanged(edit); });
}

// Panel 0: the port's state; panel 1: the progress bar while a script runs; panel 2: empty.
void TfTestFrm::BuildStatusBar(QWidget* form) {
    auto* MainBar = Named(new QStatusBar(form), "MainBar");
    MainBar->setSizeGripEnabled(false);
    PortPanel = new QLabel(MainBar);
    PortPanel->setFixedWidth(PortPanelWidth);
    auto* barPanel = new QWidget(MainBar);
    barPanel->setFixedWidth(BarPanelWidth);
    cxBar = Named(new QProgressBar(barPanel), "cxBar");
    cxBar->setTextVisible(false);
    cxBar->hide();
    auto* barLayout = new QHBoxLayout(barPanel);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->addWidget(cxBar);
    auto* spare = new QLabel(MainBar);
    spare->setFixedWidth(SparePanelWidth);
    MainBar->addWidget(PortPanel);
    MainBar->addWidget(barPanel);
    MainBar->addWidget(spare);
    form->layout()->addWidget(MainBar);
}

void TfTestFrm::Follow() {
    TPowerTableExchange* test = Test.get();
    connect(test, &TPowerTableExchange::PortOpenChanged, this, &TfTestFrm::SetPortStatus);
    connect(test, &TPowerTableExchange::ProgressChanged, cxBar, [this](int position, int maximum) {
        cxBar->setMaximum(maximum);
        cxBar->setValue(position);
    });
    connect(test, &TPowerTableExchange::ProgressShown, cxBar, &QWidget::setVisible);
    connect(test, &TPowerTableExchange::ControlsEnabled, cxAll, &QWidget::setEnabled);
    connect(test, &TPowerTableExchange::ValuesEnabled, this, &TfTestFrm::SetValuesEnabled);
    connect(test, &TPowerTableExchange::TableRead, this, [this] {
        QPalette palette = fSTx->palette();
        palette.setColor(QPalette::Window, TableReadColour);
        fSTx->setPalette(palette);
        ShowValues();
    });
    connect(test, &TPowerTableExchange::CloseRequested, this, &QWidget::close);
    connect(test, &TPowerTableExchange::Message, this, &TfTestFrm::ShowLinkMessage);
}

QString TfTestFrm::PortStatus() const {
    return PortPanel->text();
}

void TfTestFrm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TfTestFrm::FormShow() {
    SetValuesEnabled(false);
    TranslateForm(this, Db.All, false);
    SetPortStatus(Test->PortOpen());
    cxFreq_Rang->clear();
    for (const TPowerSegment& segment : PowerSegments(Db.All)) {
        auto* item = new QTreeWidgetItem(cxFreq_Rang, QStringList{segment.Text});
        item->setData(0, RowRole, segment.Row);
    }
    if (cxFreq_Rang->topLevelItemCount() > 0)
        cxFreq_Rang->setCurrentItem(cxFreq_Rang->topLevelItem(0));
}

// Every way of closing the dialog ends here: the port closes at once.
void TfTestFrm::done(int result) {
    Test->Close();
    QDialog::done(result);
}

void TfTestFrm::cxDebugClick() {
    Test->Online();
}

void TfTestFrm::cxCloseClick() {
    Test->Finish();
}

void TfTestFrm::SetPortStatus(bool open) {
    PortPanel->setText(open ? QStringLiteral(" COM: ") + Db.Language.Open
                            : QStringLiteral(" COM:  ") + Db.Language.Close);
}

void TfTestFrm::SetValuesEnabled(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{cxFreq_Rang, cxFreq_Selv, tbTx0, tbTx1, ceTx0, ceTx1})
        control->setEnabled(enabled);
}

// ---- segments and values ----

int TfTestFrm::Row() const {
    return cxFreq_Rang->property("tag").toInt();
}

void TfTestFrm::cxFreq_RangChange(QTreeWidgetItem* item) {
    if (!item) return;
    cxFreq_Selv->setText(item->text(0));
    cxFreq_Rang->setProperty("tag", item->data(0, RowRole).toInt());
    ShowValues();
}

void TfTestFrm::ShowValues() {
    const QScopedValueRollback<bool> loading(Loading, true);
    tbTx0->setValue(Test->PowerValue(Row(), TPowerTableExchange::LowPower));
    tbTx1->setValue(Test->PowerValue(Row(), TPowerTableExchange::HighPower));
}

QSpinBox* TfTestFrm::EditOf(QSlider* bar) const {
    return bar == tbTx0 ? ceTx0 : ceTx1;
}

QSlider* TfTestFrm::BarOf(QSpinBox* edit) const {
    return edit == ceTx0 ? tbTx0 : tbTx1;
}

void TfTestFrm::TrackBarChange(QSlider* bar) {
    if (!Loading) {
        Changed = true;
        fP0->setVisible(bar == tbTx0);
        fP1->setVisible(bar == tbTx1);
    }
    QSpinBox* edit = EditOf(bar);
    const QSignalBlocker programSet(edit);
    edit->setValue(bar->value());
}

void TfTestFrm::TackBarMouseUp(QSlider* bar) {
    if (Changed) SetLevel(bar);
}

// The program sets the edits with their signals blocked, so a change here is the user's.
void TfTestFrm::EditValueChanged(QSpinBox* edit) {
    QSlider* bar = BarOf(edit);
    bar->setValue(edit->value());
    SetLevel(bar);
}

void TfTestFrm::SetLevel(QSlider* bar) {
    Test->SetLevel(Row(), bar->property("tag").toInt(), bar->value());
    Changed = false;
}

// The track bars: the wheel is swallowed too (a value it set would never be written), and a
// mouse release writes the position once the bar has handled the release itself.
bool TfTestFrm::eventFilter(QObject* watched, QEvent* event) {
    auto* bar = qobject_cast<QSlider*>(watched);
    if (!bar || (bar != tbTx0 && bar != tbTx1)) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        return true;
    case QEvent::MouseButtonRelease:
        bar->event(event);
        if (bar->isEnabled()) TackBarMouseUp(bar);
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void TfTestFrm::ShowLinkMessage(const TLinkMessage& message) {
    const int answer = ShowMessageBox(message.Caption, message.Text, message.Kind);
    if (message.Kind != MessageKind::Information)
        Test->Answer(answer == MessageResult::Retry || answer == MessageResult::Yes);
}
