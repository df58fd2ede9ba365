#include "ui/functions/FmFun.h"

#include "core/FmChannels.h"
#include "core/Maindb.h"
#include "ui/functions/FieldPanel.h"
#include "ui/functions/FmCellDelegate.h"
#include "widgets/CharValidator.h"
#include "widgets/MessageBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int GridRows = 10; // data rows below the header row
constexpr int ColumnPairs = 3;
constexpr int NumberWidth = 50;
constexpr int FrequencyWidth = 100;
constexpr int FrequencyLength = 9;
constexpr int RowHeight = 22;

QLabel* NewLabel(const char* name, const char* caption, QWidget* parent) {
    return FieldLabel(QLatin1String(name), QLatin1String(caption), parent);
}

QTableWidgetItem* FixedCell(const QString& text, bool shaded) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (shaded) item->setBackground(QPalette().button());
    return item;
}

} // namespace

TfFmFun::TfFmFun(TfMaindb& db, QWidget* parent)
    : TfFunctionWindow(db, QStringLiteral("fFmFun"), QStringLiteral("FmFun"),
                       QStringLiteral("FM Information"), parent) {
    cxChInfo = Named<QTabWidget>("cxChInfo", this);
    cxChInfo->addTab(BuildInformationPage(), QStringLiteral("Information"));
    cxChInfo->addTab(BuildChannelPage(), QStringLiteral("Memoney Channel"));
    // Texts that only show elsewhere: the grid's header cells and the message for a text that
    // is no number; as labels they are translated with the window.
    LNo = NewLabel("LNo", "No.", this);
    LFreq = NewLabel("LFreq", "Frequancy[MHz]", this);
    LErrNumber =
        NewLabel("LErrNumber", "\"%1\" is no frequency: type it in MHz, such as 88.50000.", this);
    for (QLabel* hidden : {LNo, LFreq, LErrNumber})
        hidden->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cxChInfo);
    layout->addWidget(btnCancel, 0, Qt::AlignRight);

    SaveOnChange();
    connect(cxRx, &QLineEdit::editingFinished, this, [this] { cxRxCommit(); });
}

QWidget* TfFmFun::BuildInformationPage() {
    auto* page = Named<QWidget>("cxtbBase", cxChInfo);
    cxRx = Named<QLineEdit>("cxRx", page);
    cxRx->setValidator(new TCharValidator(TCharRules::TKind::Frequency, FrequencyLength, cxRx));
    cxFM_Min = Named<QLineEdit>("cxFM_Min", page);
    cxFM_Max = Named<QLineEdit>("cxFM_Max", page);
    QLineEdit* cxLine = Named<QLineEdit>("cxLine", page);
    cxLine->setText(QStringLiteral("-------"));
    cxLine->setEnabled(false);
    cxLine->setStyleSheet(QStringLiteral("color: red"));
    auto* bounds = new QHBoxLayout;
    for (QLineEdit* box : {cxFM_Min, cxLine, cxFM_Max}) {
        box->setReadOnly(true);
        bounds->addWidget(box);
    }
    auto* grid = new QGridLayout(page);
    grid->addWidget(NewLabel("L0", "Freq. Channel[MHz]", page), 0, 0);
    grid->addWidget(cxRx, 0, 1);
    Options.Place(grid, QStringLiteral("cxStep"), 1, 0);
    grid->addWidget(NewLabel("L6", "FM Scan bound[MHz]", page), 2, 0);
    grid->addLayout(bounds, 2, 1);
    Options.Place(grid, QStringLiteral("cxFmDw"), 3, 0);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* TfFmFun::BuildChannelPage() {
    auto* page = Named<QWidget>("cxChannel", cxChInfo);
    gvData = new QTableWidget(GridRows + 1, 2 * ColumnPairs, page);
    gvData->setObjectName(QStringLiteral("gvData"));
    gvData->horizontalHeader()->hide();
    gvData->verticalHeader()->hide();
    gvData->verticalHeader()->setDefaultSectionSize(RowHeight);
    // The whole grid shows without scrolling.
    const int frame = 2 * gvData->frameWidth();
    gvData->setMinimumSize(ColumnPairs * (NumberWidth + FrequencyWidth) + frame,
                           (GridRows + 1) * RowHeight + frame);
    gvData->setSelectionMode(QAbstractItemView::SingleSelection);
    gvData->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    auto* delegate = new TFmCellDelegate(gvData);
    gvData->setItemDelegate(delegate);
    connect(delegate, &TFmCellDelegate::TextAccepted, this, &TfFmFun::SaveCell);
    connect(gvData, &QTableWidget::cellClicked, this, &TfFmFun::gvDataClick);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(gvData);
    return page;
}

// The grid's cells: the header row, the grey channel numbers and the frequency cells; the blank
// lower part of the third pair takes no input.
void TfFmFun::BuildFmGrid() {
    for (int pair = 0; pair < ColumnPairs; ++pair) {
        gvData->setColumnWidth(2 * pair, NumberWidth);
        gvData->setColumnWidth(2 * pair + 1, FrequencyWidth);
        gvData->setItem(0, 2 * pair, FixedCell(LNo->text(), true));
        gvData->setItem(0, 2 * pair + 1, FixedCell(LFreq->text(), true));
        for (int row = 1; row <= GridRows; ++row) {
            const int channel = ChannelAt(row, 2 * pair);
            gvData->setItem(row, 2 * pair,
                            FixedCell(channel ? QString::number(channel) : QString(), channel));
            gvData->setItem(row, 2 * pair + 1,
                            channel ? new QTableWidgetItem : FixedCell(QString(), false));
        }
    }
}

// The FM channel of a data cell, 0 for the header row and the blank cells.
int TfFmFun::ChannelAt(int row, int column) {
    const int pair = column / 2;
    const int channel = GridRows * pair + row;
    return row >= 1 && row <= GridRows && channel <= FmChannelCount ? channel : 0;
}

void TfFmFun::Prepare() {
    BuildFmGrid();
}

void TfFmFun::Load() {
    TfFunctionWindow::Load();
    RxShown = FmChannelText(Db.All, FmCurrentSlot);
    cxRx->setText(RxShown);
    for (int row = 1; row <= GridRows; ++row)
        for (int column = 1; column < 2 * ColumnPairs; column += 2)
            if (const int channel = ChannelAt(row, column))
                gvData->item(row, column)->setText(FmChannelText(Db.All, channel));
    cxFM_Min->setText(FmBoundText(Db.All.FmLow));
    cxFM_Max->setText(FmBoundText(Db.All.FmHigh));
}

// A click on a channel's number or frequency opens its frequency for typing.
void TfFmFun::gvDataClick(int row, int column) {
    if (!ChannelAt(row, column)) return;
    QTableWidgetItem* cell = gvData->item(row, column | 1);
    gvData->setCurrentItem(cell);
    gvData->editItem(cell);
}

void TfFmFun::SaveCell(int row, int column, const QString& text) {
    const int channel = ChannelAt(row, column);
    QString shown;
    if (channel && Store(channel, text, shown)) gvData->item(row, column)->setText(shown);
}

void TfFmFun::cxRxCommit() {
    if (cxRx->text() == RxShown) return;
    QString shown;
    if (Store(FmCurrentSlot, cxRx->text(), shown)) RxShown = shown;
    cxRx->setText(RxShown);
}

void TfFmFun::Deactivate() {
    cxRxCommit();
}

bool TfFmFun::Store(int slot, const QString& text, QString& shown) {
    if (!FmTextReadable(text)) {
        ShowMessageBox(Db.Language.Confirmation, LErrNumber->text().arg(text.trimmed()), 1);
        return false;
    }
    Edit([&] { WriteFmChannel(Db.All, slot, text, shown); });
    return true;
}
