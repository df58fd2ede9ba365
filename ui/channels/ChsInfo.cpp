#include "ui/channels/ChsInfo.h"

#include "core/All.h"
#include "core/ChannelOps.h"
#include "core/ChannelRecord.h"
#include "core/ChirpCsv.h"
#include "core/Codecs.h"
#include "core/Maindb.h"
#include "ui/channels/ChannelImport.h"
#include "core/MessageKind.h"
#include "ui/channels/ChsCellDelegate.h"
#include "ui/channels/FrozenColumn.h"
#include "widgets/CharValidator.h"
#include "widgets/FrequencyCheck.h"
#include "widgets/MessageBox.h"

#include <QClipboard>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace {

// Cells keep their hidden value, header items their descriptor number, under this role.
constexpr int HiddenValueRole = Qt::UserRole;

constexpr int GridFontPoints = 8;
constexpr int HeaderHeight = 35;
constexpr int RowHeight = 25;
constexpr int DesignedHeight = 460;
constexpr int HeightPerRow = 25;
constexpr int HeightBesideRows = 15;
constexpr int WidthBesideColumns = 60;
constexpr int ShadedEvery = 16;
constexpr int FirstDataColumn = 1; // the active column when the window opens: RX

Qt::Alignment CellAlignment(QChar letter) {
    if (letter == QLatin1Char('L')) return Qt::AlignLeft | Qt::AlignVCenter;
    if (letter == QLatin1Char('R')) return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignCenter;
}

void SetEditable(QTableWidgetItem* item, bool editable) {
    item->setFlags(editable ? item->flags() | Qt::ItemIsEditable
                            : item->flags() & ~Qt::ItemIsEditable);
}

// Whether a key that moves through a box's text leaves the text instead: a list box has no text
// cursor; the tone box is left by Left at the start of its text and Right at its end.
bool AtBoxEdge(const QComboBox* box, int key) {
    const QLineEdit* edit = box->lineEdit();
    if (!edit) return true;
    if (key == Qt::Key_Left)
        return (edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition()) == 0;
    if (key == Qt::Key_Right)
        return (edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition()) ==
               edit->text().size();
    return false;
}

struct TOperationDef {
    TChannelOperation Op;
    const char* Name;
    const char* Caption;
    const char* Shortcut;
    bool SeparatorAfter;
};
// In the order of TChannelOperation; the Edit menu offers the same commands.
constexpr TOperationDef OperationDefs[] = {
    {TChannelOperation::Delete, "nDeleteChannels", "&Delete Channels", "", false},
    {TChannelOperation::Insert, "nInsertChannel", "&Insert Empty Channel", "", true},
    {TChannelOperation::MoveUp, "nMoveUp", "Move &Up", "Ctrl+Up", false},
    {TChannelOperation::MoveDown, "nMoveDown", "Move Do&wn", "Ctrl+Down", true},
    {TChannelOperation::SortRx, "nSortRx", "Sort by &RX Frequency", "", false},
    {TChannelOperation::SortName, "nSortName", "Sort by &Name", "", false},
    {TChannelOperation::Compact, "nCompact", "&Compact", "", false},
};

bool IsSort(TChannelOperation op) {
    return op == TChannelOperation::SortRx || op == TChannelOperation::SortName ||
           op == TChannelOperation::Compact;
}

void Apply(TChannelOps& ops, TChannelOperation op, const std::vector<int>& channels) {
    switch (op) {
    case TChannelOperation::Delete:
        ops.Delete(channels);
        break;
    case TChannelOperation::Insert:
        ops.InsertEmpty(channels.front());
        break;
    case TChannelOperation::MoveUp:
        ops.MoveUp(channels);
        break;
    case TChannelOperation::MoveDown:
        ops.MoveDown(channels);
        break;
    case TChannelOperation::SortRx:
        ops.Sort(channels, TChannelOps::TSortKey::RxFrequency);
        break;
    case TChannelOperation::SortName:
        ops.Sort(channels, TChannelOps::TSortKey::Name);
        break;
    case TChannelOperation::Compact:
        ops.Sort(channels, TChannelOps::TSortKey::Compact);
        break;
    }
}

} // namespace

TfChsInfo::TfChsInfo(TfMaindb& db, QWidget* parent)
    : TfEditorWindow(db, QStringLiteral("fChsInfo"), parent) {
    setWindowTitle(QStringLiteral("Channel Information"));

    // The columns are sized for the grid's small design font.
    QFont gridFont = font();
    gridFont.setPointSize(GridFontPoints);
    setFont(gridFont);

    gvChs = new QTableWidget(this);
    gvChs->setObjectName(QStringLiteral("gvChs"));
    gvChs->verticalHeader()->hide();
    gvChs->verticalHeader()->setDefaultSectionSize(RowHeight);
    gvChs->horizontalHeader()->setFixedHeight(HeaderHeight);
    gvChs->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    gvChs->horizontalHeader()->setSectionsClickable(false);
    gvChs->setSelectionMode(QAbstractItemView::ExtendedSelection);
    gvChs->setSelectionBehavior(QAbstractItemView::SelectRows);
    gvChs->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    gvChs->installEventFilter(this);
    // The number column stays in view while the grid scrolls sideways.
    NumberView = new TFrozenColumn(gvChs);
    Viewports = {gvChs->viewport(), NumberView->viewport()};
    for (QObject* viewport : Viewports)
        viewport->installEventFilter(this);
    CellEditor = new TChsCellDelegate(gvChs);
    gvChs->setItemDelegate(CellEditor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gvChs);

    // The descriptors live in a hidden key/value list so that the translation reaches them.
    ColShow = new QTableWidget(int(Row.Descriptors.size()), 2, this);
    ColShow->setObjectName(QStringLiteral("ColShow"));
    ColShow->setProperty("valueList", true);
    ColShow->hide();
    for (int i = 0; i < int(Row.Descriptors.size()); ++i) {
        ColShow->setItem(i, 0, new QTableWidgetItem(Row.Descriptors[size_t(i)].Key));
        ColShow->setItem(i, 1, new QTableWidgetItem(Row.Descriptors[size_t(i)].Value));
    }
    lNone = new QLabel(Row.NoneText, this);
    lNone->setObjectName(QStringLiteral("lNone"));
    lNone->hide();
    CreateChoiceBoxes();
    CreateOperations();

    connect(CellEditor, &TChsCellDelegate::TextAccepted, this, &TfChsInfo::gvChsSetEditText);
    connect(gvChs, &QTableWidget::currentCellChanged, this,
            [this](int row) { gvChsSelectCell(row); });
    connect(gvChs, &QTableWidget::cellPressed, this,
            [this](int row, int column) { gvChsMouseDown(row, column); });
    // A box stays over its cell only while the grid does not scroll.
    connect(gvChs->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TfChsInfo::HideBoxes);
    connect(gvChs->verticalScrollBar(), &QScrollBar::valueChanged, this, &TfChsInfo::HideBoxes);
}

TfChsInfo::~TfChsInfo() {
    // An editor still open while the window is torn down loses its focus: its text must not
    // reach a half-destroyed window. Closing the window commits it first (closeEvent).
    disconnect(CellEditor, nullptr, this, nullptr);
}

void TfChsInfo::CreateChoiceBoxes() {
    for (const TChannelRow::TBox& design : Row.Boxes) {
        auto* box = new QComboBox(this);
        box->setObjectName(design.Name);
        box->setProperty("tag", design.Tag);
        box->hide();
        box->addItems(design.Items);
        box->installEventFilter(this);
        if (Row.BoxFor(FieldCode::RxTone) == &design) {
            cxDcts = box;
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setCompleter(nullptr); // a typed tone is stored as typed, never as completed
            ToneValidator = new TCharValidator(TCharRules::TKind::Tone, 0, box);
            box->setValidator(ToneValidator);
            connect(box, &QComboBox::currentTextChanged, this, [this, box] { BoxChange(box); });
        } else {
            connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                    [this, box] { BoxChange(box); });
        }
        Boxes.push_back(box);
    }
}

void TfChsInfo::CreateOperations() {
    ChannelMenu = new QMenu(this);
    for (const TOperationDef& def : OperationDefs) {
        auto* action = new QAction(QString::fromLatin1(def.Caption), this);
        action->setObjectName(QString::fromLatin1(def.Name));
        // Shown in the menu only: the grid's keys and the Edit menu run the moves.
        action->setShortcut(QKeySequence(QString::fromLatin1(def.Shortcut)));
        action->setShortcutVisibleInContextMenu(true);
        connect(action, &QAction::triggered, this, [this, op = def.Op] { Operate(op); });
        ChannelMenu->addAction(action);
        if (def.SeparatorAfter) ChannelMenu->addSeparator();
        Operations.push_back(action);
    }
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(gvChs), static_cast<QAbstractItemView*>(NumberView)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            HideBoxes();
            ChannelMenu->popup(view->viewport()->mapToGlobal(at));
        });
    }
    lInsertRefused = new QLabel(
        QStringLiteral("Channel %1 is in use: empty it before inserting a channel."), this);
    lInsertRefused->setObjectName(QStringLiteral("lInsertRefused"));
    lInsertRefused->hide();
}

void TfChsInfo::closeEvent(QCloseEvent* event) {
    Deactivate();
    TfEditorWindow::closeEvent(event);
}

void TfChsInfo::Prepare() {
    lNone->setText(cxDcts->itemText(0));
    ToneValidator->SetKeptText(lNone->text());
    TakeTranslatedTexts();
    BuildColumns();
    gvChs->setCurrentCell(0, FirstDataColumn);
}

void TfChsInfo::TakeTranslatedTexts() {
    for (int i = 0; i < int(Row.Descriptors.size()); ++i)
        Row.Descriptors[size_t(i)].Value = ColShow->item(i, 1)->text();
    for (size_t b = 0; b < Boxes.size(); ++b) {
        for (int i = 0; i < Row.Boxes[b].Items.size(); ++i)
            Row.Boxes[b].Items[i] = Boxes[b]->itemText(i);
    }
    Row.NoneText = lNone->text();
}

void TfChsInfo::BuildColumns() {
    const std::vector<int> codes = Row.ShownCodes();
    const int rows = std::max(0, Db.All.ChannelCount);
    gvChs->setColumnCount(int(codes.size()));
    gvChs->setRowCount(rows);
    const QColor shade = gvChs->palette().color(QPalette::ToolTipBase);
    const QColor face = gvChs->palette().color(QPalette::Button);
    int width = 0;
    for (int column = 0; column < int(codes.size()); ++column) {
        const TChannelRow::TDescriptor& descriptor = Row.Descriptors[size_t(codes[column] - 1)];
        auto* header = new QTableWidgetItem(
            descriptor.Caption().replace(QLatin1Char('\r'), QLatin1Char('\n')));
        header->setData(HiddenValueRole, codes[column]);
        gvChs->setHorizontalHeaderItem(column, header);
        // The descriptor's width is the least; a header text that needs more widens its column.
        const int columnWidth =
            std::max(descriptor.Width(), gvChs->horizontalHeader()->sectionSizeHint(column));
        gvChs->setColumnWidth(column, columnWidth);
        width += columnWidth;

        const QChar kind = descriptor.Kind();
        const bool buttonFace = kind == QLatin1Char('N') || kind == QLatin1Char('M');
        if (kind == QLatin1Char('N')) NumberColumn = column;
        for (int row = 0; row < rows; ++row) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            SetEditable(item, kind == QLatin1Char('R'));
            item->setTextAlignment(CellAlignment(descriptor.Alignment()));
            if (buttonFace)
                item->setBackground(face);
            else if ((row + 1) % ShadedEvery == 0)
                item->setBackground(shade);
            gvChs->setItem(row, column, item);
        }
    }
    NumberView->Freeze(NumberColumn);
    PlaceWindow(width + WidthBesideColumns);
}

void TfChsInfo::PlaceWindow(int width) {
    Frame()->resize(width,
                  std::min(DesignedHeight, HeightBesideRows + HeightPerRow * gvChs->rowCount()));
}

void TfChsInfo::Load() {
    Refresh(TImageChange::WholeImage());
}

bool TfChsInfo::Shows(const TImageChange& change) const {
    return change.Scope != TImageChange::TScope::Options;
}

// Each row shows what the image now holds, with the editability of a present or empty row.
void TfChsInfo::Refresh(const TImageChange& change) {
    const TLoadingGuard loading(*this);
    const bool all = change.Scope == TImageChange::TScope::Image;
    const int first = all ? 1 : std::max(1, change.First);
    const int last = all ? gvChs->rowCount() : std::min(gvChs->rowCount(), change.Last);
    gvChs->setUpdatesEnabled(false);
    for (int channel = first; channel <= last; ++channel)
        FillRow(channel);
    gvChs->setUpdatesEnabled(true);
}

void TfChsInfo::FillRow(int channel) {
    if (channel < 1 || channel > gvChs->rowCount()) return;
    const std::vector<TChannelRow::TCell> cells = Row.Cells(Db.All, Db.Channel, channel);
    const int row = channel - 1;
    const bool present = cells[size_t(NumberColumn)].Value == QLatin1String("1");
    for (int column = 0; column < gvChs->columnCount(); ++column) {
        QTableWidgetItem* item = gvChs->item(row, column);
        item->setText(cells[size_t(column)].Text);
        item->setData(HiddenValueRole, cells[size_t(column)].Value);
        const QChar kind = KindAt(column);
        if (kind == QLatin1Char('T') || kind == QLatin1Char('E')) SetEditable(item, present);
    }
}

void TfChsInfo::Deactivate() {
    HideBoxes();
    CellEditor->CommitOpenEditor();
}

int TfChsInfo::CodeAt(int column) const {
    const QTableWidgetItem* header = gvChs->horizontalHeaderItem(column);
    return header ? header->data(HiddenValueRole).toInt() : 0;
}

QChar TfChsInfo::KindAt(int column) const {
    const int code = CodeAt(column);
    return code > 0 ? Row.Descriptors[size_t(code - 1)].Kind() : QChar();
}

bool TfChsInfo::Present(int row) const {
    const QTableWidgetItem* number = gvChs->item(row, NumberColumn);
    return number && number->data(HiddenValueRole).toString() == QLatin1String("1");
}

QComboBox* TfChsInfo::BoxFor(int code) const {
    const TChannelRow::TBox* design = Row.BoxFor(code);
    return design ? Boxes[size_t(design - Row.Boxes.data())] : nullptr;
}

void TfChsInfo::ShowCellBox() {
    HideBoxes();
    const int row = gvChs->currentRow();
    const int column = gvChs->currentColumn();
    QComboBox* box = row >= 0 && column >= 0 ? BoxFor(CodeAt(column)) : nullptr;
    if (!box || !Present(row)) return;
    const QTableWidgetItem* cell = gvChs->item(row, column);
    const QPoint at = gvChs->viewport()->mapTo(this, gvChs->visualItemRect(cell).topLeft());
    box->setGeometry(at.x(), at.y(), gvChs->columnWidth(column), box->sizeHint().height());
    box->raise();
    box->show();
    box->setFocus();
    // Loading the box with the cell's value is no change of the channel.
    const TLoadingGuard loading(*this);
    if (box == cxDcts) {
        box->setEditText(cell->text());
        box->lineEdit()->selectAll();
    } else {
        box->setCurrentIndex(cell->data(HiddenValueRole).toString().toInt());
    }
}

void TfChsInfo::HideBoxes() {
    for (QComboBox* box : Boxes) {
        if (box->hasFocus()) gvChs->setFocus();
        box->hide();
    }
}

bool TfChsInfo::eventFilter(QObject* watched, QEvent* event) {
    if (InputEvent(watched, event)) return QWidget::eventFilter(watched, event);
    if (watched == gvChs && event->type() == QEvent::KeyPress)
        return GridKey(static_cast<QKeyEvent*>(event)) || QWidget::eventFilter(watched, event);
    auto* box = qobject_cast<QComboBox*>(watched);
    if (!box || std::find(Boxes.begin(), Boxes.end(), box) == Boxes.end())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (BoxKey(box, static_cast<QKeyEvent*>(event))) return true;
        break;
    case QEvent::Wheel:
        // A wheel passing over a box scrolls the grid: a box changes only by a deliberate choice.
        QCoreApplication::sendEvent(gvChs->viewport(), event);
        return true;
    case QEvent::FocusOut:
        // Opening its own list takes the focus but does not leave the box.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
            !box->view()->isVisible())
            box->hide();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Notes whether the press, drag or key that follows only selects rows; true for the events of
// the grid's viewports, which need nothing more.
bool TfChsInfo::InputEvent(QObject* watched, QEvent* event) {
    constexpr Qt::KeyboardModifiers Extend = Qt::ShiftModifier | Qt::ControlModifier;
    const bool viewport = watched == Viewports[0] || watched == Viewports[1];
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (!viewport) return false;
        SelectOnly = static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton ||
                     (static_cast<QMouseEvent*>(event)->modifiers() & Extend);
        return true;
    case QEvent::MouseMove:
        if (viewport && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton)
            SelectOnly = true;
        return viewport;
    case QEvent::MouseButtonRelease:
        if (viewport) SelectOnly = false;
        return viewport;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == gvChs)
            SelectOnly = (key->modifiers() & Extend) && key->key() != Qt::Key_Tab &&
                         key->key() != Qt::Key_Backtab;
        return false;
    }
    case QEvent::KeyRelease:
        if (watched == gvChs) SelectOnly = false;
        return false;
    default:
        return viewport;
    }
}

// Delete on a present channel's RX cell deletes the channel, as emptying the cell does.
// Ctrl+Up and Ctrl+Down move the selected channels.
bool TfChsInfo::GridKey(const QKeyEvent* key) {
    if (ClipboardKey(key)) return true;
    const int row = gvChs->currentRow();
    const int column = gvChs->currentColumn();
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        Operate(key->key() == Qt::Key_Up ? TChannelOperation::MoveUp : TChannelOperation::MoveDown);
        return true;
    }
    if (key->key() != Qt::Key_Delete || modifiers || CodeAt(column) != FieldCode::RxFreq)
        return false;
    if (Present(row)) gvChsSetEditText(row, column, QString());
    return true;
}

bool TfChsInfo::ClipboardKey(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Copy))
        CopyRows();
    else if (key->matches(QKeySequence::Paste))
        PasteRows();
    else
        return false;
    return true;
}

// The channels of the rows that hold a selected cell, in order; the current row's when none.
std::vector<int> TfChsInfo::SelectedChannels() const {
    std::vector<int> channels;
    for (const QModelIndex& index : gvChs->selectionModel()->selectedIndexes())
        channels.push_back(index.row() + 1);
    if (channels.empty() && gvChs->currentRow() >= 0) channels.push_back(gvChs->currentRow() + 1);
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

void TfChsInfo::CopyRows() {
    QGuiApplication::clipboard()->setText(
        TChirpCsv::Export(Db.All, Db.Channel, SelectedChannels(), QLatin1Char('\t')));
}

// The rows fill consecutive channels from the first selected one.
void TfChsInfo::PasteRows() {
    const QString text = QGuiApplication::clipboard()->text();
    const std::vector<int> channels = SelectedChannels();
    if (text.trimmed().isEmpty() || channels.empty()) return;
    HideBoxes();
    TChannelImport::Take(Db, TChirpCsv::ReadRows(Db.All, Db.Language, text, channels.front()),
                         Db.Language.CsvPaste, true, false);
}

// The keys that take the user from a box back to the grid, which then moves as the key asks:
// one Tab moves one cell. Up and Down move the grid too; the value of a closed box changes only
// by typing or a choice from its opened list.
bool TfChsInfo::BoxKey(QComboBox* box, QKeyEvent* key) {
    if (key->modifiers() & Qt::AltModifier) return false; // Alt+Down opens the list
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        HideBoxes();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!AtBoxEdge(box, key->key())) return false;
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (box->isEditable()) return false;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    default:
        return false;
    }
    HideBoxes();
    QCoreApplication::sendEvent(gvChs, key);
    return true;
}

void TfChsInfo::gvChsSelectCell(int row) {
    if (Loading()) return;
    if (SelectOnly)
        HideBoxes();
    else
        ShowCellBox();
    FollowRow(row);
}

void TfChsInfo::gvChsMouseDown(int row, int column) {
    QTableWidgetItem* cell = gvChs->item(row, column);
    if (SelectOnly)
        HideBoxes();
    else if (cell && (cell->flags() & Qt::ItemIsEditable))
        gvChs->editItem(cell);
    else
        ShowCellBox();
    FollowRow(row);
}

void TfChsInfo::FollowRow(int row) {
    if (row >= 0) Db.Document.SetCurrentChannel(row + 1);
}

void TfChsInfo::gvChsSetEditText(int row, int column, const QString& text) {
    const QTableWidgetItem* cell = gvChs->item(row, column);
    if (Accepting || !cell || text == cell->text()) return;
    const QScopedValueRollback<bool> accepting(Accepting, true);
    const int code = CodeAt(column);
    QString value = text;
    switch (code) {
    case FieldCode::RxFreq:
        if (!value.isEmpty()) value = CheckedFrequency(Db, value);
        break;
    case FieldCode::TxFreq:
        value = value.trimmed();
        if (!value.isEmpty()) value = CheckedFrequency(Db, value);
        break;
    case FieldCode::Name:
    case FieldCode::IdCode:
        while (value.endsWith(QLatin1Char(' ')))
            value.chop(1);
        break;
    default:
        return;
    }
    EditChannel(row + 1, code, value);
}

// A receive frequency typed into an empty row creates the channel; an empty one deletes it. The
// step is named after the channel and the column ("Channel 5 RX Frequency"); the keys typed into
// a tone box make one step.
void TfChsInfo::EditChannel(int channel, int code, QString text) {
    const bool created = code == FieldCode::RxFreq && !text.isEmpty() && !Present(channel - 1);
    const QString name = QStringLiteral("%1 %2 %3")
                             .arg(Db.Language.Channel, QString::number(channel),
                                  Row.Descriptors[size_t(code - 1)].Caption().replace(
                                      QLatin1Char('\r'), QLatin1Char(' ')));
    const bool typed = code == FieldCode::RxTone || code == FieldCode::TxTone;
    Db.Document.Edit(
        TImageChange::Channel(channel),
        [&] {
            WriteChannelField(Db.All, channel, code, text);
            if (created) NewChannel(Db.All, channel, text);
        },
        name, typed);
}

void TfChsInfo::BoxChange(QComboBox* box) {
    const int row = gvChs->currentRow();
    const int column = gvChs->currentColumn();
    if (Loading() || row < 0 || BoxFor(CodeAt(column)) != box || !Present(row)) return;
    QTableWidgetItem* cell = gvChs->item(row, column);
    if (box == cxDcts) {
        const QString text = box->currentText();
        cell->setText(text.isEmpty() || text == Row.NoneText ? Row.NoneText : NormalizeTone(text));
    } else {
        cell->setData(HiddenValueRole, QString::number(box->currentIndex()));
        cell->setText(box->currentText());
    }
    SaveCell(row, column);
}

void TfChsInfo::SaveCell(int row, int column) {
    const int code = CodeAt(column);
    const QTableWidgetItem* cell = gvChs->item(row, column);
    QString text;
    if (code == FieldCode::RxTone || code == FieldCode::TxTone)
        text = cell->text() == Row.NoneText ? QString() : cell->text();
    else if (Row.BoxFor(code))
        text = cell->data(HiddenValueRole).toString();
    else
        return;
    EditChannel(row + 1, code, text);
}

void TfChsInfo::Operate(TChannelOperation op) {
    Deactivate();
    TChannelOps ops(Db.All);
    std::vector<int> channels = SelectedChannels();
    if (channels.empty()) return;
    if (IsSort(op) && channels.size() == 1) {
        channels.resize(size_t(ops.Count()));
        std::iota(channels.begin(), channels.end(), 1);
    }
    int first = channels.front();
    int last = channels.back();
    int shift = 0;
    switch (op) {
    case TChannelOperation::Insert:
        if (!ops.CanInsert(first)) {
            ShowMessageBox(Db.Language.Confirmation, lInsertRefused->text().arg(ops.Count()),
                           MessageKind::Information);
            return;
        }
        channels = {first};
        last = ops.Count();
        break;
    case TChannelOperation::MoveUp:
        shift = -1;
        --first;
        break;
    case TChannelOperation::MoveDown:
        shift = 1;
        ++last;
        break;
    default:
        break;
    }
    // A command that changes nothing (a move at the table's edge, a sorted table sorted again) is
    // no step and leaves the image unmodified.
    TALL trial = Db.All;
    TChannelOps trialOps(trial);
    Apply(trialOps, op, channels);
    if (trial.Image == Db.All.Image) return;
    Db.Document.Edit(
        TImageChange::Channels(first, last), [&] { Apply(ops, op, channels); },
        StepName(op, channels));
    if (shift) SelectChannels(channels, shift);
}

// The command's caption without its access key, then the channels: "Move Up 3–5".
QString TfChsInfo::StepName(TChannelOperation op, const std::vector<int>& channels) const {
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&"));
    const QString caption = Operations[size_t(op)]->text().remove(accessKey).trimmed();
    const QString range =
        channels.front() == channels.back()
            ? QString::number(channels.front())
            : QStringLiteral("%1\u2013%2").arg(channels.front()).arg(channels.back());
    return caption + QLatin1Char(' ') + range;
}

// The moved channels stay selected, and the current cell moves with them.
void TfChsInfo::SelectChannels(const std::vector<int>& channels, int shift) {
    QAbstractItemModel* model = gvChs->model();
    QItemSelection selection;
    for (int k : channels)
        selection.select(model->index(k - 1 + shift, 0),
                         model->index(k - 1 + shift, gvChs->columnCount() - 1));
    const QModelIndex current =
        model->index(std::clamp(gvChs->currentRow() + shift, 0, gvChs->rowCount() - 1),
                     std::max(0, gvChs->currentColumn()));
    {
        const TLoadingGuard loading(*this);
        HideBoxes();
        gvChs->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        gvChs->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    gvChs->scrollTo(current);
    FollowRow(current.row());
}
