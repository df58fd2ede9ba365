#include "ui/channels/ToneOption.h"

#include "widgets/TranslateForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The entries the tables show: CTCSS as "code-tone-letters", DCS as "number-code"; the empty
// entries fill the last column of a table.
const char* const CtcssEntries[] = {
    "01-67.0-XZ",
    "02-69.3-WZ",
    "03-71.9-XA",
    "04-74.4-WA",
    "05-77.0-XB",
    "06-79.7-WB",
    "07-82.5-YZ",
    "08-85.4-YA",
    "09-88.5-YB",
    "0A-91.5-ZZ",
    "0B-94.8-ZA",
    "0C-97.4-ZB",
    "0D-100.0-1Z",
    "0E-103.5-1A",
    "0F-107.2-1B",
    "10-110.9-2Z",
    "11-114.8-2A",
    "12-118.8-2B",
    "13-123.0-3Z",
    "14-127.3-3A",
    "15-131.8-3B",
    "16-136.5-4Z",
    "17-141.3-4A",
    "18-146.2-4B",
    "19-151.4-5Z",
    "1A-156.7-5A",
    "1B-162.2-5B",
    "1C-167.9-6Z",
    "1D-173.8-6A",
    "1E-179.9-6B",
    "1F-186.2-7Z",
    "20-192.8-7A",
    "21-203.5-M1",
    "22-206.5-8Z",
    "23-210.7-M2",
    "24-218.1-M3",
    "25-225.7-M4",
    "26-229.1-9Z",
    "27-233.6-M5",
    "28-241.8-M6",
    "29-250.3-M7",
    "2A-254.1-0Z",
    "",
    "",
    "",
};

const char* const DcsCodes[] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162",
    "165", "172", "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265",
    "271", "306", "311", "315", "331", "343", "346", "351", "364", "365", "371", "411", "412",
    "413", "423", "431", "432", "445", "464", "465", "466", "503", "506", "516", "525", "532",
    "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662", "664", "703",
    "712", "723", "731", "732", "734", "743", "754",
};
constexpr int DcsCells = 88; // 85 codes and 3 empty cells

// One column of a table's column groups: its width and colour, and whether it holds the values
// a double click picks (shown bold).
struct TColumn {
    int Width;
    QColor Background;
    bool Value;
};

struct TTableLayout {
    int Groups;
    int Rows;
    int RowHeight;
    std::vector<TColumn> Columns;
};

const TTableLayout CtcssLayout{5,
                               9,
                               24,
                               {{32, QColor(249, 141, 227), false},
                                {47, Qt::white, true},
                                {32, QColor(225, 249, 112), false}}};
const TTableLayout DcsLayout{8, 11, 20, {{23, QColor(47, 231, 220), false}, {46, Qt::white, true}}};

// Marks the cells whose text a double click returns.
constexpr int ValueRole = Qt::UserRole;

QTableWidget* MakeTable(const QString& name, const TTableLayout& layout, QWidget* parent) {
    const int perGroup = int(layout.Columns.size());
    auto* table = new QTableWidget(layout.Rows, layout.Groups * perGroup, parent);
    table->setObjectName(name);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->setDefaultSectionSize(layout.RowHeight);
    int width = 0;
    for (int column = 0; column < table->columnCount(); ++column) {
        const TColumn& design = layout.Columns[size_t(column % perGroup)];
        table->setColumnWidth(column, design.Width);
        width += design.Width;
        for (int row = 0; row < layout.Rows; ++row) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setBackground(design.Background);
            item->setData(ValueRole, design.Value);
            if (design.Value) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table->setItem(row, column, item);
        }
    }
    const int frame = 2 * table->frameWidth();
    table->setFixedSize(width + frame, layout.Rows * layout.RowHeight + frame);
    return table;
}

// Writes the parts of entry number `entry` into the columns of its group and row.
void PutEntry(QTableWidget* table, const TTableLayout& layout, int entry,
              const QStringList& parts) {
    const int perGroup = int(layout.Columns.size());
    const int row = entry % layout.Rows;
    const int first = entry / layout.Rows * perGroup;
    for (int i = 0; i < perGroup; ++i)
        table->item(row, first + i)->setText(parts.value(i));
}

QStringList SplitToneEntry(const QString& entry) {
    return entry.isEmpty() ? QStringList() : entry.split(QLatin1Char('-'));
}

} // namespace

TfToneOption::TfToneOption(const TALL& all, QWidget* parent) : QDialog(parent), All(all) {
    setObjectName(QStringLiteral("fToneOption"));
    setWindowTitle(QStringLiteral("Channel Tone Option"));

    auto* gbVoice = new QGroupBox(QStringLiteral("Channel Voice Selection"), this);
    gbVoice->setObjectName(QStringLiteral("gbVoice"));
    auto* choices = new QHBoxLayout(gbVoice);
    const char* const names[] = {"rCTCSS", "rDCSN", "rDCSI"};
    const char* const captions[] = {"CTCSS", "DCS-N", "DCS-I"};
    for (int tag = 0; tag < int(Choices.size()); ++tag) {
        Choices[size_t(tag)] = new QRadioButton(QLatin1String(captions[tag]), gbVoice);
        Choices[size_t(tag)]->setObjectName(QLatin1String(names[tag]));
        choices->addWidget(Choices[size_t(tag)]);
        connect(Choices[size_t(tag)], &QRadioButton::clicked, this,
                [this, tag] { ShowTable(tag); });
    }
    Choices[0]->setChecked(true);

    gbCodes = new QGroupBox(QStringLiteral(" Code List"), this);
    gbCodes->setObjectName(QStringLiteral("gbCodes"));
    auto* codes = new QVBoxLayout(gbCodes);
    Tables = {MakeTable(QStringLiteral("gvCtcss"), CtcssLayout, gbCodes),
              MakeTable(QStringLiteral("gvDcsN"), DcsLayout, gbCodes),
              MakeTable(QStringLiteral("gvDcsI"), DcsLayout, gbCodes)};
    for (QTableWidget* table : Tables) {
        codes->addWidget(table);
        connect(table, &QTableWidget::cellDoubleClicked, this,
                [this, table](int row, int column) { TableDoubleClick(table, row, column); });
    }

    lbSel = new QListWidget(this);
    lbSel->setObjectName(QStringLiteral("lbSel"));
    lbSel->addItems(QStringList(std::begin(captions), std::end(captions)));
    lbSel->hide();

    auto* form = new QVBoxLayout(this);
    form->addWidget(gbVoice);
    form->addWidget(gbCodes);
    form->setSizeConstraint(QLayout::SetFixedSize);
}

void TfToneOption::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    FillToneLists();
    Selected.clear();
    TranslateForm(this, All, false);
    for (int tag = 0; tag < int(Choices.size()); ++tag)
        if (Choices[size_t(tag)]->isChecked()) ShowTable(tag);
}

void TfToneOption::FillToneLists() {
    for (int entry = 0; entry < int(std::size(CtcssEntries)); ++entry)
        PutEntry(Tables[0], CtcssLayout, entry,
                 SplitToneEntry(QString::fromLatin1(CtcssEntries[entry])));
    const QLatin1Char suffixes[] = {QLatin1Char('N'), QLatin1Char('I')};
    for (int entry = 0; entry < DcsCells; ++entry) {
        const bool filled = entry < int(std::size(DcsCodes));
        for (int polarity = 0; polarity < 2; ++polarity) {
            const QStringList parts =
                filled ? QStringList{QString::number(entry + 1),
                                     QLatin1Char('D') + QLatin1String(DcsCodes[entry]) +
                                         suffixes[polarity]}
                       : QStringList();
            PutEntry(Tables[size_t(1 + polarity)], DcsLayout, entry, parts);
        }
    }
}

void TfToneOption::ShowTable(int tag) {
    for (int i = 0; i < int(Tables.size()); ++i)
        Tables[size_t(i)]->setVisible(i == tag);
    gbCodes->setTitle(lbSel->item(tag)->text());
}

// Only the tone columns pick; an empty cell at a table's end closes with nothing picked.
void TfToneOption::TableDoubleClick(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* cell = table->item(row, column);
    if (!cell || !cell->data(ValueRole).toBool()) return;
    Selected = cell->text();
    accept();
}
