#include "ui/functions/OptFun.h"

#include "core/Maindb.h"
#include "core/OptionTexts.h"
#include "ui/functions/FieldPanel.h"
#include "widgets/CharValidator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The two columns of the window, top to bottom; the check boxes close them.
const char* const LeftColumn[] = {"cxOpenSw", "cxModeSw", "cxModeEn", "cxSqlLv", "cxChsNs",
                                  "cxWavsSw", "cxToneEs", "cxLamp",   "cxLockSw"};
const char* const RightColumn[] = {"cxDWait", "cxTotSv", "cxRxSav", "cxSaveLs",
                                   "cxColor", "cxRoger", "cxBatTx", "cxRelay"};

} // namespace

TfOptFun::TfOptFun(TfMaindb& db, QWidget* parent)
    : TfFunctionWindow(db, QStringLiteral("fOptFun"), QStringLiteral("OptFun"),
                       QStringLiteral("Optional Function"), parent) {
    cxOpenMsg = Named<QLineEdit>("cxOpenMsg", this);
    cxOpenMsg->setValidator(
        new TCharValidator(TCharRules::TKind::Name, RadioNameLength, cxOpenMsg));
    cxOpenMsg->setContextMenuPolicy(Qt::NoContextMenu);
    cxFrq_Use = Named<QComboBox>("cxFrq_Use", this);
    cxFrq_Use->addItems(ManualFreqItems());
    BuildLayout();

    Options.OnChange(this, [this] { SaveOptions(); });
    connect(cxFrq_Use, &QComboBox::currentIndexChanged, this, [this] { SaveOptions(); });
    connect(cxOpenMsg, &QLineEdit::editingFinished, this, [this] { cxOpenMsgCommit(); });
}

void TfOptFun::BuildLayout() {
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const char* name : LeftColumn)
        Options.Place(grid, QLatin1String(name), row++, 0);
    grid->addWidget(FieldLabel(QStringLiteral("cl08"), QStringLiteral("Manual Freq."), this), row,
                    0);
    grid->addWidget(cxFrq_Use, row++, 1);
    Options.Place(grid, QStringLiteral("cxMenuSet"), row++, 0);
    const int buttonRow = row + 1;

    row = 0;
    grid->addWidget(FieldLabel(QStringLiteral("cl09"), QStringLiteral("Radio Name"), this), row, 2);
    grid->addWidget(cxOpenMsg, row++, 3);
    for (const char* name : RightColumn)
        Options.Place(grid, QLatin1String(name), row++, 2);
    Options.Place(grid, QStringLiteral("cxRelaySet"), row++, 2);
    Options.Place(grid, QStringLiteral("cx3xxM"), row, 2);
    grid->addWidget(btnCancel, buttonRow, 3, Qt::AlignRight);
}

void TfOptFun::Load() {
    TfFunctionWindow::Load();
    cxOpenMsg->setText(ReadRadioName(Db.All));
    cxFrq_Use->setCurrentIndex(ManualFreqItem(Db.All));
    cxFrq_Use->setEnabled(Db.All.ManualFreqSelectable);
}

// Every field of the window, whichever control changed.
void TfOptFun::SaveOptions() {
    Edit([this] {
        Options.Save(Db.All);
        WriteRadioName(Db.All, cxOpenMsg->text());
        SaveManualFreq(Db.All, cxFrq_Use->currentIndex());
    });
}

// Leaving the box or pressing Enter saves a name that differs from the stored one.
void TfOptFun::cxOpenMsgCommit() {
    if (cxOpenMsg->text() != ReadRadioName(Db.All)) SaveOptions();
}

void TfOptFun::Deactivate() {
    cxOpenMsgCommit();
}
