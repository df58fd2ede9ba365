#include "core/ChannelRecord.h"
#include "ui/channels/ChsInfo.h"
#include "core/Codecs.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include "tests/support/SecondLanguage.h"

#include <QtTest>

namespace {

// A channel grid window on a fresh image of the built-in model, driven through its widgets.
class TGrid {
public:
    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    TfChsInfo Window{Db};
    QTableWidget* Grid = Window.findChild<QTableWidget*>(QStringLiteral("gvChs"));

    TGrid() {
        Db.BuildStartImage();
        Db.NewImage();
    }

    // The grid opens in a second language whose file holds text.
    void UseLanguage(const QByteArray& text) { UseSecondLanguage(Folder.path(), Db.All, text); }

    bool Open() {
        Window.show();
        Window.activateWindow();
        return QTest::qWaitForWindowActive(&Window);
    }

    int Column(int code) const {
        for (int column = 0; column < Grid->columnCount(); ++column) {
            if (Grid->horizontalHeaderItem(column)->data(Qt::UserRole).toInt() == code)
                return column;
        }
        return -1;
    }
    QTableWidgetItem* Cell(int channel, int code) const {
        return Grid->item(channel - 1, Column(code));
    }
    QString Text(int channel, int code) const { return Cell(channel, code)->text(); }
    bool Editable(int channel, int code) const {
        return Cell(channel, code)->flags() & Qt::ItemIsEditable;
    }

    void Click(int channel, int code, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton) {
        const QModelIndex index = Grid->model()->index(channel - 1, Column(code));
        Grid->scrollTo(index);
        QTest::mouseClick(Grid->viewport(), button, modifiers, Grid->visualRect(index).center());
    }

    // A table of six channels, one character each: '.' empty, a digit d a channel on
    // 140 + d MHz named with the letter 'J' - d, so name order is the reverse of frequency order.
    void Fill(const QString& table) {
        Db.All.ChannelCount = int(table.size());
        for (int k = 1; k <= table.size(); ++k) {
            const int d = table.at(k - 1).digitValue();
            if (d < 0) continue;
            NewChannel(Db.All, k, FormatMHz(140 + d));
            QString name(QChar(QLatin1Char('J').unicode() - d));
            WriteChannelField(Db.All, k, FieldCode::Name, name);
        }
    }
    // The table as the grid shows it, read back from the RX cells.
    QString Shown() const {
        QString table;
        for (int k = 1; k <= Grid->rowCount(); ++k) {
            const QString rx = Text(k, FieldCode::RxFreq);
            table += rx.isEmpty() ? QLatin1Char('.') : QChar('0' + qRound(rx.toDouble() - 140));
        }
        return table;
    }
    QList<int> Selected() const {
        QList<int> channels;
        for (const QModelIndex& index : Grid->selectionModel()->selectedRows())
            channels << index.row() + 1;
        std::sort(channels.begin(), channels.end());
        return channels;
    }
    void Trigger(const QString& action) { Window.findChild<QAction*>(action)->trigger(); }
    QComboBox* Box(const char* name) const {
        return Window.findChild<QComboBox*>(QLatin1String(name));
    }
    // The box shown over the active cell, if any.
    QComboBox* ShownBox() const {
        for (QComboBox* box : Window.findChildren<QComboBox*>()) {
            if (box->isVisible()) return box;
        }
        return nullptr;
    }
    static QLineEdit* FocusedEditor() {
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    // Clicks a text cell, replaces its whole text by typing (keys as a user types them) and
    // presses Enter; false when no editor opened.
    bool Type(int channel, int code, const QString& keys) {
        Click(channel, code);
        QLineEdit* editor = FocusedEditor();
        if (!editor) return false;
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits an Enter in a queued call
        return true;
    }

    // What the image holds for a text field of channel k, in the grid's text form.
    QString Stored(int k, int code) {
        TChannel channel;
        if (!ReadChannel(Db.All, k, channel)) return QStringLiteral("<empty>");
        switch (code) {
        case FieldCode::RxFreq:
            return FormatMHz(channel.RxFreq);
        case FieldCode::TxFreq:
            return channel.TxFreq < 0 ? QString() : FormatMHz(channel.TxFreq);
        case FieldCode::RxTone:
            return channel.RxTone;
        case FieldCode::Name:
            return channel.Name;
        case FieldCode::IdCode:
            return channel.IdCode;
        default:
            return QString();
        }
    }

    QStringList RowTexts(int channel) const {
        QStringList texts;
        for (int column = 0; column < Grid->columnCount(); ++column)
            texts << Grid->item(channel - 1, column)->text();
        return texts;
    }
};

// Clicks the cell as a user does: on whatever widget shows it at that spot of the window.
void ClickWhereShown(QTableWidget* table, int row, int column) {
    QWidget* top = table->window();
    const QModelIndex index = table->model()->index(row, column);
    const QPoint at = table->viewport()->mapTo(top, table->visualRect(index).center());
    QWidget* target = top->childAt(at);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(top, at));
}

// Turns the mouse wheel one notch down as the window system delivers it: to the widget under
// the pointer, then to its parents while none takes it.
void TurnWheel(QWidget* top, const QPoint& at) {
    QWidget* under = top->childAt(at);
    QVERIFY(under);
    const QPoint local = under->mapFrom(top, at);
    QWheelEvent wheel(local, under->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(under, &wheel);
}

} // namespace

// The memory channel grid: its columns, typed texts, choice boxes, translation and the requests
// it sends to the main window.
class TstChsInfo : public QObject {
    Q_OBJECT

private slots:
    void init() { TMessageBoxSeam::Reset(); }

    void columnsRowsAndShading() {
        TGrid grid;
        QVERIFY(grid.Open());
        QCOMPARE(grid.Window.windowTitle(), QStringLiteral("Channel Information"));
        QStringList captions;
        for (int column = 0; column < grid.Grid->columnCount(); ++column)
            captions << grid.Grid->horizontalHeaderItem(column)->text();
        QCOMPARE(captions, QStringList({"No.", "RX Frequency", "TX Frequency", "QT/DQT Dec",
                                        "QT/DQT Enc", "TX Power", "W/N", "Scan Add", "Busy Lock",
                                        "Vox", "Epilogue", "PTT ID", "DTMF", "NAME", "ID Code"}));
        QCOMPARE(grid.Grid->rowCount(), 128);
        QCOMPARE(grid.Grid->columnWidth(grid.Column(FieldCode::Scan)), 65);
        QCOMPARE(grid.Text(128, 1), QStringLiteral("128"));
        QCOMPARE(grid.Grid->currentRow(), 0);
        QCOMPARE(grid.Grid->currentColumn(), grid.Column(FieldCode::RxFreq));

        const QColor shade = grid.Grid->palette().color(QPalette::ToolTipBase);
        for (int channel = 1; channel <= 128; ++channel) {
            const bool shaded =
                grid.Cell(channel, FieldCode::RxFreq)->background().color() == shade;
            QVERIFY2(shaded == (channel % 16 == 0), qPrintable(QString::number(channel)));
        }
        // An empty channel: RX can be typed into, TX, NAME and ID cannot.
        QVERIFY(grid.Editable(1, FieldCode::RxFreq));
        QVERIFY(!grid.Editable(1, FieldCode::TxFreq));
        QVERIFY(!grid.Editable(1, FieldCode::Name));
        QVERIFY(!grid.Editable(1, FieldCode::IdCode));
        QVERIFY(!grid.Editable(1, FieldCode::Power));
    }

    void placedInItsSubWindow() {
        TGrid grid;
        QMdiArea area;
        area.resize(1200, 800);
        QMdiSubWindow* frame = area.addSubWindow(new TfChsInfo(grid.Db));
        area.show();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QCOMPARE(frame->pos(), QPoint(20, 20));
        QTableWidget* table = frame->findChild<QTableWidget*>();
        int columns = 0;
        for (int column = 0; column < table->columnCount(); ++column)
            columns += table->columnWidth(column);
        QCOMPARE(frame->size(), QSize(columns + 60, 460));
    }

    void numberColumnStaysInView() {
        TGrid grid;
        QVERIFY(grid.Open());
        grid.Window.resize(300, 300);
        grid.Grid->horizontalScrollBar()->setValue(grid.Grid->horizontalScrollBar()->maximum());
        grid.Grid->verticalScrollBar()->setValue(grid.Grid->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
        // The grid itself has scrolled its number column away ...
        const QModelIndex last = grid.Grid->model()->index(127, 0);
        QVERIFY(grid.Grid->visualRect(last).right() < 0);
        // ... while the view over its left edge shows the same rows' numbers.
        auto* numbers = grid.Grid->findChild<QTableView*>();
        QVERIFY(numbers && numbers->isVisible());
        QCOMPARE(numbers->x(), grid.Grid->frameWidth());
        QCOMPARE(numbers->indexAt(numbers->visualRect(last).center()).data().toString(),
                 QStringLiteral("128"));
        QVERIFY(numbers->viewport()->rect().intersects(numbers->visualRect(last)));
    }

    // At the first showing, on its own and in an MDI area as the main window opens it at start,
    // New, Open and a language change, a click on a number selects that channel.
    void clickingANumberAtFirstShowing_data() {
        QTest::addColumn<bool>("inArea");
        QTest::newRow("own window") << false;
        QTest::newRow("MDI child") << true;
    }

    void clickingANumberAtFirstShowing() {
        QFETCH(bool, inArea);
        TGrid grid;
        QMdiArea area;
        TfChsInfo* window = &grid.Window;
        if (inArea) {
            window = new TfChsInfo(grid.Db);
            area.resize(1200, 800);
            area.addSubWindow(window)->show();
            area.show();
            QVERIFY(QTest::qWaitForWindowExposed(&area));
        } else {
            QVERIFY(grid.Open());
        }
        auto* table = window->findChild<QTableWidget*>(QStringLiteral("gvChs"));
        for (int channel : {8, 10, 12, 3, 15}) {
            ClickWhereShown(table, channel - 1, 0);
            QCOMPARE(table->currentRow(), channel - 1);
            QCOMPARE(grid.Db.All.CurrentChannel, channel);
            QCOMPARE(table->verticalScrollBar()->value(), 0);
        }
    }

    // Every header text fits its column in the font the grid shows it in; the designed widths
    // stay the least.
    void headerTextsFit() {
        TGrid grid;
        QVERIFY(grid.Open());
        const QHeaderView* header = grid.Grid->horizontalHeader();
        const int margins =
            2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const std::vector<int> designed = {45, 80, 80, 65, 65, 65, 65, 65,
                                           65, 65, 65, 65, 65, 65, 65};
        for (int column = 0; column < grid.Grid->columnCount(); ++column) {
            const QString caption = grid.Grid->horizontalHeaderItem(column)->text();
            const int width = grid.Grid->columnWidth(column);
            QVERIFY2(width >= designed[size_t(column)], qPrintable(caption));
            for (const QString& line : caption.split(QLatin1Char('\n')))
                QVERIFY2(header->fontMetrics().horizontalAdvance(line) + margins <= width,
                         qPrintable(caption));
        }
    }

    // A wheel over a shown box scrolls the grid; the channel keeps its value.
    void wheelOverABoxScrollsTheGrid_data() {
        QTest::addColumn<int>("code");
        QTest::newRow("list box") << int(FieldCode::Power);
        QTest::newRow("tone box") << int(FieldCode::RxTone);
    }

    void wheelOverABoxScrollsTheGrid() {
        QFETCH(int, code);
        TGrid grid;
        NewChannel(grid.Db.All, 1, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        const auto image = grid.Db.All.Image;
        const QString text = grid.Text(1, code);
        grid.Click(1, code);
        QComboBox* box = grid.ShownBox();
        QVERIFY(box);

        TurnWheel(&grid.Window, box->mapTo(&grid.Window, box->rect().center()));

        QCOMPARE(grid.Text(1, code), text);
        QVERIFY(grid.Db.All.Image == image);
        QVERIFY(!grid.Db.All.Modified);
        QVERIFY(grid.Grid->verticalScrollBar()->value() > 0);
        QCOMPARE(grid.ShownBox(), nullptr);
        QCOMPARE(QApplication::focusWidget(), grid.Grid);
    }

    // Keys that take the user out of a box to the grid, which moves as the key asks, and keys
    // that stay in the tone box's text. None of them changes the channel.
    void keysInABox_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("cursor"); // the tone text's cursor; -1: the text as shown, selected
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("rowStep");
        QTest::addColumn<int>("columnStep");
        QTest::addColumn<bool>("leaves");
        const int power = FieldCode::Power;
        const int tone = FieldCode::TxTone;
        QTest::newRow("Tab") << power << -1 << int(Qt::Key_Tab) << 0 << 1 << true;
        QTest::newRow("Backtab") << power << -1 << int(Qt::Key_Backtab) << 0 << -1 << true;
        QTest::newRow("Right") << power << -1 << int(Qt::Key_Right) << 0 << 1 << true;
        QTest::newRow("Left") << power << -1 << int(Qt::Key_Left) << 0 << -1 << true;
        QTest::newRow("Down") << power << -1 << int(Qt::Key_Down) << 1 << 0 << true;
        QTest::newRow("Up") << power << -1 << int(Qt::Key_Up) << -1 << 0 << true;
        QTest::newRow("Escape") << power << -1 << int(Qt::Key_Escape) << 0 << 0 << true;
        QTest::newRow("tone Tab") << tone << -1 << int(Qt::Key_Tab) << 0 << 1 << true;
        QTest::newRow("tone Right") << tone << -1 << int(Qt::Key_Right) << 0 << 1 << true;
        QTest::newRow("tone Left") << tone << -1 << int(Qt::Key_Left) << 0 << -1 << true;
        QTest::newRow("tone Left at start") << tone << 0 << int(Qt::Key_Left) << 0 << -1 << true;
        QTest::newRow("tone Left in text") << tone << 2 << int(Qt::Key_Left) << 0 << 0 << false;
        QTest::newRow("tone Right in text") << tone << 2 << int(Qt::Key_Right) << 0 << 0 << false;
    }

    void keysInABox() {
        QFETCH(int, code);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(int, rowStep);
        QFETCH(int, columnStep);
        QFETCH(bool, leaves);
        TGrid grid;
        for (int channel = 1; channel <= 3; ++channel)
            NewChannel(grid.Db.All, channel, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        const auto image = grid.Db.All.Image;
        grid.Click(2, code);
        QComboBox* box = grid.ShownBox();
        QVERIFY(box);
        if (cursor >= 0) box->lineEdit()->setCursorPosition(cursor);

        QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(grid.Grid->currentRow(), 1 + rowStep);
        QCOMPARE(grid.Grid->currentColumn(), grid.Column(code) + columnStep);
        QWidget* shown = grid.ShownBox();
        if (!leaves) QCOMPARE(shown, box);
        if (key == Qt::Key_Escape) QCOMPARE(shown, nullptr);
        QCOMPARE(QApplication::focusWidget(), shown ? shown : grid.Grid);
        QVERIFY(grid.Db.All.Image == image);
        QVERIFY(!grid.Db.All.Modified);
    }

    // One Tab moves one cell across a whole channel row, through text cells and boxes alike.
    void oneTabMovesOneCell() {
        TGrid grid;
        NewChannel(grid.Db.All, 1, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        grid.Click(1, FieldCode::RxFreq);
        for (int column = grid.Column(FieldCode::RxFreq) + 1; column < grid.Grid->columnCount();
             ++column) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCoreApplication::processEvents();
            QCOMPARE(grid.Grid->currentColumn(), column);
            QCOMPARE(grid.Grid->currentRow(), 0);
        }
        QVERIFY(!grid.Db.All.Modified);
    }

    // Delete on a channel's selected RX cell deletes the channel, as emptying the cell does; on
    // an empty row's RX cell and on other cells it does nothing.
    void deleteKey() {
        TGrid grid;
        for (int channel = 1; channel <= 3; ++channel)
            NewChannel(grid.Db.All, channel, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        grid.Click(2, FieldCode::RxFreq); // a click opens the editor, Escape closes it unchanged
        QTest::keyClick(grid.FocusedEditor(), Qt::Key_Escape);
        QSignalSpy reloads(&grid.Db.Document, &TDocument::Changed);
        QTest::keyClick(grid.Grid, Qt::Key_Delete);
        QCOMPARE(grid.Stored(2, FieldCode::RxFreq), QStringLiteral("<empty>"));
        QCOMPARE(grid.RowTexts(2),
                 QStringList({"2", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        QVERIFY(!grid.Editable(2, FieldCode::Name));
        QVERIFY(grid.Db.All.Modified);
        QCOMPARE(reloads.count(), 1);

        QTest::keyClick(grid.Grid, Qt::Key_Up); // reached from the keyboard
        QTest::keyClick(grid.Grid, Qt::Key_Delete);
        QCOMPARE(grid.Stored(1, FieldCode::RxFreq), QStringLiteral("<empty>"));

        grid.Db.All.Modified = false;
        const auto image = grid.Db.All.Image;
        QTest::keyClick(grid.Grid, Qt::Key_Delete); // channel 1 is empty now
        grid.Grid->setCurrentCell(2, grid.Column(FieldCode::TxFreq));
        QTest::keyClick(grid.Grid, Qt::Key_Delete);
        QCOMPARE(grid.Text(3, FieldCode::RxFreq), QStringLiteral("145.50000"));
        QVERIFY(grid.Db.All.Image == image);
        QVERIFY(!grid.Db.All.Modified);
        QVERIFY(TMessageBoxSeam::TakeShown().empty());
    }

    // Pasted and dropped text keeps to the characters that typing may enter.
    void pastedAndDroppedText_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ID letters") << int(FieldCode::IdCode) << false << "ABCD"
                                    << "000";
        QTest::newRow("ID mixed") << int(FieldCode::IdCode) << false << "1A2-3"
                                  << "123";
        QTest::newRow("RX with unit") << int(FieldCode::RxFreq) << false << "146,5 MHz"
                                      << "146.50000";
        // The length counts after the filter: a label before the number does not cut it off.
        QTest::newRow("RX after a label") << int(FieldCode::RxFreq) << false << "Frequency 146,5"
                                          << "146.50000";
        QTest::newRow("ID too long, refused") << int(FieldCode::IdCode) << false << "1234567"
                                              << "000";
        QTest::newRow("NAME beyond z") << int(FieldCode::Name) << false << "a{b}c"
                                       << "abc";
        QTest::newRow("tone") << int(FieldCode::RxTone) << false << "D023 xyz"
                              << "D023N";
        QTest::newRow("NAME dropped") << int(FieldCode::Name) << true << "x~y|z"
                                      << "xyz";
    }

    void pastedAndDroppedText() {
        QFETCH(int, code);
        QFETCH(bool, drop);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        TGrid grid;
        NewChannel(grid.Db.All, 1, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        // The image must hold what writing the expected text gives, not only show it.
        TALL expected = grid.Db.All;
        QString written = stored;
        WriteChannelField(expected, 1, code, written);
        grid.Click(1, code);
        QWidget* field = QApplication::focusWidget();
        QVERIFY(field);
        if (drop) {
            QMimeData data;
            data.setText(text);
            QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(field, &enter);
            QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(field, &drop);
        } else {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        }
        QTest::keyClick(field, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(grid.Text(1, code), stored);
        QVERIFY(grid.Db.All.Image == expected.Image);
    }

    // Ctrl+C copies the selected rows; Ctrl+V puts them into consecutive rows from the selected
    // one, asking before a channel that holds data is overwritten, as one undoable step.
    void copyAndPasteRows() {
        TGrid grid;
        TALL& all = grid.Db.All;
        NewChannel(all, 1, QStringLiteral("145.5"));
        for (auto [code, text] : {std::pair{FieldCode::TxFreq, "146.1"},
                                  {FieldCode::TxTone, "D754I"},
                                  {FieldCode::RxTone, "88.5"},
                                  {FieldCode::Name, "A B"},
                                  {FieldCode::PttId, "2"},
                                  {FieldCode::Power, "0"}}) {
            QString value = QString::fromLatin1(text);
            WriteChannelField(all, 1, code, value);
        }
        NewChannel(all, 2, QStringLiteral("438.5"));
        NewChannel(all, 11, QStringLiteral("147.0"));
        QVERIFY(grid.Open());
        QItemSelectionModel* selection = grid.Grid->selectionModel();
        selection->select(
            QItemSelection(grid.Grid->model()->index(0, 1), grid.Grid->model()->index(1, 1)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(grid.Grid, Qt::Key_C, Qt::ControlModifier);
        const QStringList copied =
            QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        QCOMPARE(copied.size(), 4);
        QVERIFY(copied[0].startsWith(QStringLiteral("Location\tName\tFrequency\tDuplex\t")));

        const TALL before = all;
        grid.Click(10, FieldCode::Name);
        TMessageBoxSeam::QueueAnswer(MessageResult::No);
        QTest::keyClick(grid.Grid, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(all.Image == before.Image);
        TMessageBoxSeam::QueueAnswer(MessageResult::Yes);
        QTest::keyClick(grid.Grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(TMessageBoxSeam::TakeShown().size(), size_t(2)); // the questions, no summary
        for (int k : {1, 2})
            QCOMPARE(grid.RowTexts(k + 9).mid(1), grid.RowTexts(k).mid(1));
        grid.Db.Document.Undo();
        QVERIFY(all.Image == before.Image);
        QCOMPARE(grid.Text(11, FieldCode::RxFreq), QStringLiteral("147.00000"));
    }

    // A row of a CHIRP-style paste that names a tone the list lacks is refused and named.
    void pasteReportsRefusedRows() {
        TGrid grid;
        QVERIFY(grid.Open());
        QGuiApplication::clipboard()->setText(
            QStringLiteral("Location\tName\tFrequency\tTone\trToneFreq\n"
                           "1\tX\t146.5\tTone\t100.0\n"
                           "2\tY\t146.6\tTone\t69.0\n"));
        grid.Click(20, FieldCode::RxFreq);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        QTest::keyClick(grid.Grid, Qt::Key_V, Qt::ControlModifier);
        const std::vector<TMessageBoxSeam::TShown> shown = TMessageBoxSeam::TakeShown();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].Caption, grid.Db.Language.Caution);
        QCOMPARE(shown[0].Text,
                 QStringLiteral("1 of 2 rows taken.\n"
                                "Channel 21: tone \"69.0\" is not in the tone list"));
        QCOMPARE(grid.Text(20, FieldCode::TxTone), QStringLiteral("100.0"));
        QCOMPARE(grid.Text(20, FieldCode::Name), QStringLiteral("X"));
        QCOMPARE(grid.Stored(21, FieldCode::RxFreq), QStringLiteral("<empty>"));
    }

    void typingRxCreatesAndClearingDeletes() {
        TGrid grid;
        QVERIFY(grid.Open());
        QSignalSpy reloads(&grid.Db.Document, &TDocument::Changed);

        QVERIFY(grid.Type(3, FieldCode::RxFreq, QStringLiteral("145,5"))); // ',' types '.'
        QCOMPARE(grid.RowTexts(3),
                 QStringList({"3", "145.50000", "145.50000", "None", "None", "High", "Wide", "Del",
                              "Off", "No", "On", "Off", "OFF", "", "000"}));
        QCOMPARE(grid.Stored(3, FieldCode::RxFreq), QStringLiteral("145.50000"));
        QCOMPARE(grid.Cell(3, 1)->data(Qt::UserRole).toString(), QStringLiteral("1"));
        QCOMPARE(grid.Cell(3, FieldCode::Power)->data(Qt::UserRole).toString(),
                 QStringLiteral("1"));
        QVERIFY(grid.Editable(3, FieldCode::TxFreq));
        QVERIFY(grid.Editable(3, FieldCode::Name));
        QVERIFY(grid.Editable(3, FieldCode::IdCode));
        QVERIFY(grid.Db.All.Modified);
        QCOMPARE(grid.Db.All.CurrentChannel, 3);
        QVERIFY(!reloads.isEmpty());
        QVERIFY(std::all_of(reloads.begin(), reloads.end(), [](const QList<QVariant>& args) {
            const auto change = args.at(0).value<TImageChange>();
            return change.Scope == TImageChange::TScope::Channels && change.First == 3 &&
                   change.Last == 3;
        }));
        QVERIFY(TMessageBoxSeam::TakeShown().empty());

        reloads.clear();
        QVERIFY(grid.Type(3, FieldCode::RxFreq, QString()));
        QCOMPARE(grid.RowTexts(3),
                 QStringList({"3", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        QCOMPARE(grid.Stored(3, FieldCode::RxFreq), QStringLiteral("<empty>"));
        QCOMPARE(grid.Cell(3, 1)->data(Qt::UserRole).toString(), QStringLiteral("0"));
        QVERIFY(!grid.Editable(3, FieldCode::TxFreq));
        QVERIFY(!grid.Editable(3, FieldCode::Name));
        QVERIFY(!grid.Editable(3, FieldCode::IdCode));
        QCOMPARE(reloads.count(), 1);

        // Neither boxes nor text editors open on the empty row.
        grid.Click(3, FieldCode::Power);
        QCOMPARE(grid.ShownBox(), nullptr);
        grid.Click(3, FieldCode::RxTone);
        QCOMPARE(grid.ShownBox(), nullptr);
        grid.Click(3, FieldCode::Name);
        QCOMPARE(grid.FocusedEditor(), nullptr);
    }

    void typedTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("errorBox");
        QTest::newRow("RX outside every band") << int(FieldCode::RxFreq) << "999"
                                               << "400.00000" << true;
        QTest::newRow("RX no number") << int(FieldCode::RxFreq) << "1.2.3"
                                      << "400.00000" << true;
        QTest::newRow("RX letters dropped") << int(FieldCode::RxFreq) << "1a4x6.0"
                                            << "146.00000" << false;
        QTest::newRow("RX nine characters") << int(FieldCode::RxFreq) << "146.0250099"
                                            << "146.02500" << false;
        QTest::newRow("TX in band") << int(FieldCode::TxFreq) << "146.52"
                                    << "146.52000" << false;
        QTest::newRow("TX outside every band") << int(FieldCode::TxFreq) << "99"
                                               << "400.00000" << true;
        QTest::newRow("TX emptied") << int(FieldCode::TxFreq) << ""
                                    << "" << false;
        QTest::newRow("ID padded") << int(FieldCode::IdCode) << "12"
                                   << "120" << false;
        QTest::newRow("ID emptied") << int(FieldCode::IdCode) << ""
                                    << "000" << false;
        QTest::newRow("ID digits only, six") << int(FieldCode::IdCode) << "1a2345678"
                                             << "123456" << false;
        QTest::newRow("NAME trailing blanks") << int(FieldCode::Name) << "ab c  "
                                              << "ab c" << false;
        QTest::newRow("NAME seven, up to z") << int(FieldCode::Name) << "A{b~CDEFGH"
                                             << "AbCDEFG" << false;
    }

    void typedTexts() {
        QFETCH(int, code);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(bool, errorBox);
        TGrid grid;
        NewChannel(grid.Db.All, 1, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        if (errorBox) TMessageBoxSeam::QueueAnswer(MessageResult::Ok);

        QVERIFY(grid.Type(1, code, keys));
        QCOMPARE(grid.Text(1, code), shown);
        QCOMPARE(grid.Stored(1, code), shown);
        QVERIFY(grid.Db.All.Modified);
        const auto boxes = TMessageBoxSeam::TakeShown();
        QCOMPARE(boxes.size(), size_t(errorBox ? 1 : 0));
        if (errorBox) {
            QCOMPARE(boxes.front().Caption, QStringLiteral("Caution"));
            QCOMPARE(boxes.front().Text, grid.Db.Language.ErrRange);
            QCOMPARE(boxes.front().Kind, int(MessageKind::Information));
        }
    }

    void unchangedTextWritesNothing() {
        TGrid grid;
        NewChannel(grid.Db.All, 1, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        QSignalSpy reloads(&grid.Db.Document, &TDocument::Changed);
        QVERIFY(grid.Type(1, FieldCode::TxFreq, QStringLiteral("145.50000")));
        QVERIFY(!grid.Db.All.Modified);
        QVERIFY(reloads.isEmpty());
    }

    void toneBox_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("stored");
        QTest::newRow("inverted DCS") << "d023i"
                                      << "D023I";
        QTest::newRow("short DCS") << "D25"
                                   << "D250N";
        QTest::newRow("other letters dropped") << "8x8.5q"
                                               << "88.5";
        QTest::newRow("CTCSS clamped") << "12"
                                       << "30.0";
    }

    void toneBox() {
        QFETCH(QString, keys);
        QFETCH(QString, stored);
        TGrid grid;
        NewChannel(grid.Db.All, 1, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        const auto image = grid.Db.All.Image;

        grid.Click(1, FieldCode::RxTone);
        QComboBox* box = grid.Box("cxDcts");
        QCOMPARE(grid.ShownBox(), box);
        QCOMPARE(box->currentText(), QStringLiteral("None"));
        QVERIFY(!grid.Db.All.Modified); // showing the box changes nothing
        QVERIFY(grid.Db.All.Image == image);

        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, keys); // the cell's text is selected: typing replaces it
        QCOMPARE(grid.Text(1, FieldCode::RxTone), stored);
        QCOMPARE(grid.Stored(1, FieldCode::RxTone), stored);
        QVERIFY(grid.Db.All.Modified);

        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid.Grid);

        grid.Click(1, FieldCode::RxTone);
        QCOMPARE(box->currentText(), stored);
        box->setCurrentIndex(0); // the user picks "None"
        QCOMPARE(grid.Text(1, FieldCode::RxTone), QStringLiteral("None"));
        QCOMPARE(grid.Stored(1, FieldCode::RxTone), QString());
    }

    void listBox() {
        TGrid grid;
        NewChannel(grid.Db.All, 1, QStringLiteral("145.5"));
        QVERIFY(grid.Open());
        QSignalSpy reloads(&grid.Db.Document, &TDocument::Changed);

        grid.Click(1, FieldCode::Power);
        QComboBox* box = grid.Box("cxPwrv");
        QCOMPARE(grid.ShownBox(), box);
        QCOMPARE(box->currentIndex(), 1);
        QCOMPARE(box->width(), grid.Grid->columnWidth(grid.Column(FieldCode::Power)));
        QVERIFY(!grid.Db.All.Modified);
        QVERIFY(reloads.isEmpty());

        // A choice from the opened list changes the box.
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(box->view()->isVisible());
        QTest::keyClick(box->view(), Qt::Key_Up);
        QTest::keyClick(box->view(), Qt::Key_Return);
        QCOMPARE(grid.Text(1, FieldCode::Power), QStringLiteral("Low"));
        QCOMPARE(grid.Cell(1, FieldCode::Power)->data(Qt::UserRole).toString(),
                 QStringLiteral("0"));
        TChannel channel;
        QVERIFY(ReadChannel(grid.Db.All, 1, channel));
        QCOMPARE(channel.Power, uint8_t(0));
        QVERIFY(grid.Db.All.Modified);
        QCOMPARE(reloads.count(), 1);
        QVERIFY(reloads.front().at(0).value<TImageChange>().TouchesChannel(1));

        // Another box cell takes its own box; a text cell leaves no box shown.
        grid.Click(1, FieldCode::Ani);
        QCOMPARE(grid.ShownBox(), grid.Box("cxAnis"));
        QCOMPARE(grid.Box("cxAnis")->currentText(), QStringLiteral("OFF"));
        grid.Click(1, FieldCode::Name);
        QCOMPARE(grid.ShownBox(), nullptr);
    }

    // Click, Shift+click and Ctrl+click choose rows as in any list; only a plain click opens the
    // cell's editor or box. The clicked row's channel is the current one.
    void multiRowSelection() {
        TGrid grid;
        grid.Fill(QStringLiteral("123456"));
        QVERIFY(grid.Open());
        grid.Click(2, FieldCode::Power);
        QCOMPARE(grid.ShownBox(), grid.Box("cxPwrv"));
        grid.Click(4, FieldCode::Power, Qt::ShiftModifier);
        QCOMPARE(grid.ShownBox(), nullptr);
        QCOMPARE(grid.Selected(), QList<int>({2, 3, 4}));
        QCOMPARE(grid.Db.All.CurrentChannel, 4);
        grid.Click(6, FieldCode::RxFreq, Qt::ControlModifier);
        grid.Click(3, FieldCode::Name, Qt::ControlModifier);
        QCOMPARE(grid.FocusedEditor(), nullptr);
        QCOMPARE(grid.Selected(), QList<int>({2, 4, 6}));
        QCOMPARE(grid.Db.All.CurrentChannel, 3);
        grid.Click(5, FieldCode::Name, {}, Qt::RightButton);
        QCOMPARE(grid.FocusedEditor(), nullptr);
        QCOMPARE(grid.Selected(), QList<int>({5}));

        grid.Click(1, FieldCode::RxFreq);
        QVERIFY(grid.FocusedEditor());
        QCOMPARE(grid.Selected(), QList<int>({1}));
        QVERIFY(!grid.Db.All.Modified);
    }

    // Each command of the context menu on the rows chosen first..last: the table after it, and
    // the one step that Undo takes back. A sort of one row sorts the whole table.
    void channelOperations_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("step");
        const auto row = [](const char* name, const char* action, int first, int last,
                            const char* before, const char* after, const char* step) {
            QTest::newRow(name) << QString::fromLatin1(action) << first << last
                                << QString::fromLatin1(before) << QString::fromLatin1(after)
                                << QString::fromUtf8(step);
        };
        row("delete first", "nDeleteChannels", 1, 2, "123.5.", "..3.5.", "Delete Channels 1–2");
        row("delete last", "nDeleteChannels", 6, 6, "123456", "12345.", "Delete Channels 6");
        row("insert first", "nInsertChannel", 1, 1, "12.4..", ".12.4.", "Insert Empty Channel 1");
        row("insert last", "nInsertChannel", 6, 6, "12345.", "12345.", "");
        row("insert full", "nInsertChannel", 2, 3, "123456", "123456", "");
        row("up first", "nMoveUp", 1, 2, "123...", "123...", "");
        row("up last", "nMoveUp", 5, 6, "123456", "123564", "Move Up 5–6");
        row("down first", "nMoveDown", 1, 1, "12....", "21....", "Move Down 1");
        row("down last", "nMoveDown", 6, 6, "123456", "123456", "");
        row("rx all", "nSortRx", 4, 4, "3.1.42", "1234..", "Sort by RX Frequency 1–6");
        row("name rows", "nSortName", 1, 3, "123456", "321456", "Sort by Name 1–3");
        row("compact full", "nCompact", 1, 6, ".1.2.3", "123...", "Compact 1–6");
        row("compact, nothing to do", "nCompact", 1, 1, "123...", "123...", "");
    }

    void channelOperations() {
        QFETCH(QString, action);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, step);
        TGrid grid;
        grid.Fill(before);
        QVERIFY(grid.Open());
        grid.Click(first, 1);
        grid.Click(last, 1, Qt::ShiftModifier);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok); // a refused insertion tells why
        grid.Trigger(action);
        QCOMPARE(grid.Shown(), after);
        QCOMPARE(grid.Db.Document.UndoName(), step);
        QCOMPARE(grid.Db.All.Modified, !step.isEmpty());
        grid.Db.Document.Undo();
        QCOMPARE(grid.Shown(), before);
    }

    // With the last channel in use nothing can move down to make room: the message names it.
    void insertRefusedNamesTheLastChannel() {
        TGrid grid;
        grid.Fill(QStringLiteral("1....6"));
        QVERIFY(grid.Open());
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        grid.Click(2, 1);
        grid.Trigger(QStringLiteral("nInsertChannel"));
        const auto shown = TMessageBoxSeam::TakeShown();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown.front().Text,
                 QStringLiteral("Channel 6 is in use: empty it before inserting a channel."));
        QCOMPARE(grid.Shown(), QStringLiteral("1....6"));
    }

    // Ctrl+Down and Ctrl+Up move the chosen rows, which stay chosen with the current channel
    // among them; at the table's edge they do nothing.
    void moveKeys() {
        TGrid grid;
        grid.Fill(QStringLiteral("123..."));
        QVERIFY(grid.Open());
        grid.Click(1, FieldCode::Power);
        grid.Click(2, FieldCode::Power, Qt::ShiftModifier);
        QTest::keyClick(grid.Grid, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(grid.Shown(), QStringLiteral("123..."));
        QVERIFY(!grid.Db.Document.CanUndo());
        QTest::keyClick(grid.Grid, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(grid.Grid, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(grid.Shown(), QStringLiteral("3.12.."));
        QCOMPARE(grid.Selected(), QList<int>({3, 4}));
        QCOMPARE(grid.Db.All.CurrentChannel, 4);
        QTest::keyClick(grid.Grid, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(grid.Shown(), QStringLiteral("312..."));
        QCOMPARE(grid.Db.All.CurrentChannel, 3);
        // A plain click after the keys opens the cell's box again.
        grid.Click(1, FieldCode::Power);
        QCOMPARE(grid.ShownBox(), grid.Box("cxPwrv"));
    }

    // A right click chooses the row and opens the menu of the channel commands.
    void contextMenu() {
        TGrid grid;
        grid.Fill(QStringLiteral("12...."));
        QVERIFY(grid.Open());
        const QRect cell = grid.Grid->visualItemRect(grid.Cell(2, FieldCode::RxFreq));
        QContextMenuEvent event(QContextMenuEvent::Mouse, cell.center(),
                                grid.Grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid.Grid->viewport(), &event);
        QMenu* menu = grid.Window.findChild<QMenu*>();
        QVERIFY(menu && menu->isVisible());
        QStringList names;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) names << action->objectName();
        QCOMPARE(names, QStringList({"nDeleteChannels", "nInsertChannel", "nMoveUp", "nMoveDown",
                                     "nSortRx", "nSortName", "nCompact"}));
        menu->close();
    }

    void currentChannelFollowsSelection() {
        TGrid grid;
        QVERIFY(grid.Open());
        QSignalSpy reloads(&grid.Db.Document, &TDocument::CurrentChannelChanged);
        grid.Click(5, FieldCode::Power);
        QCOMPARE(grid.Db.All.CurrentChannel, 5);
        QCOMPARE(reloads.count(), 1);
        QCOMPARE(reloads.front().at(0).toInt(), 5);
        grid.Click(5, FieldCode::Vox);
        QCOMPARE(reloads.count(), 1); // same channel: nothing to reload

        QTest::keyClick(grid.Grid, Qt::Key_Down);
        QCOMPARE(grid.Db.All.CurrentChannel, 6);
        QCOMPARE(reloads.count(), 2);
        QVERIFY(!grid.Db.All.Modified);
    }

    void deactivateCommitsHalfTypedCell() {
        TGrid grid;
        QVERIFY(grid.Open());
        // Typing on the selected cell opens its editor; the first key is filtered too.
        grid.Grid->setCurrentCell(1, grid.Column(FieldCode::RxFreq));
        grid.Grid->setFocus();
        QTest::keyClick(grid.Grid, 'x');
        QLineEdit* editor = grid.FocusedEditor();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString());
        QTest::keyClicks(editor, QStringLiteral("146"));
        grid.Window.Deactivate();
        QCOMPARE(grid.Stored(2, FieldCode::RxFreq), QStringLiteral("146.00000"));
        QCOMPARE(grid.Text(2, FieldCode::TxFreq), QStringLiteral("146.00000"));
        QVERIFY(!editor->isVisible()); // the editor is closed
        grid.Window.Deactivate();      // nothing open: nothing happens

        // Closing the window commits as well.
        grid.Click(3, FieldCode::RxFreq);
        QVERIFY(grid.FocusedEditor());
        QTest::keyClicks(grid.FocusedEditor(), QStringLiteral("147"));
        grid.Window.close();
        QCOMPARE(grid.Stored(3, FieldCode::RxFreq), QStringLiteral("147.00000"));

        // A window destroyed with an editor open (the main window's close-all) drops the text.
        QVERIFY(grid.Open());
        grid.Click(4, FieldCode::RxFreq);
        QVERIFY(grid.FocusedEditor());
        QTest::keyClicks(grid.FocusedEditor(), QStringLiteral("148"));
    }

    // A descriptor value without a usable width keeps the designed width and still gives the
    // caption: the RX column stays in view and takes a frequency.
    void languageWidthUnusable_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        QTest::newRow("no width") << "RX Freq"
                                  << "RX Freq";
        QTest::newRow("empty width") << "@RX"
                                     << "RX";
        QTest::newRow("not a number") << "wide@RX"
                                      << "RX";
        QTest::newRow("zero") << "0@RX"
                              << "RX";
    }

    void languageWidthUnusable() {
        QFETCH(QString, value);
        QFETCH(QString, caption);
        TGrid grid;
        grid.UseLanguage("[fChsInfo]\nColShow.2=" + value.toUtf8() + '\n');
        QVERIFY(grid.Open());
        const int rx = grid.Column(FieldCode::RxFreq);
        QCOMPARE(grid.Grid->horizontalHeaderItem(rx)->text(), caption);
        QCOMPARE(grid.Grid->columnWidth(rx), 80);
        QVERIFY(grid.Type(1, FieldCode::RxFreq, QStringLiteral("145.5")));
        QCOMPARE(grid.Stored(1, FieldCode::RxFreq), QStringLiteral("145.50000"));
    }

    void languageFile() {
        TGrid grid;
        grid.UseLanguage("[fChsInfo]\nfChsInfo.Caption=Kanal\nColShow.2=100@RX|Freq\n"
                         "ColShow.4=999@hidden stays hidden\ncxDcts.0=Keine\ncxDcts.1=67\n"
                         "cxPwrv.1=Hoch\n");
        QVERIFY(grid.Open());

        QCOMPARE(grid.Window.windowTitle(), QStringLiteral("Kanal"));
        QCOMPARE(grid.Grid->columnCount(), 15);
        const int rx = grid.Column(FieldCode::RxFreq);
        QCOMPARE(grid.Grid->columnWidth(rx), 100);
        QCOMPARE(grid.Grid->horizontalHeaderItem(rx)->text(), QStringLiteral("RX\nFreq"));

        QVERIFY(grid.Type(1, FieldCode::RxFreq, QStringLiteral("145.5")));
        QCOMPARE(grid.Text(1, FieldCode::RxTone), QStringLiteral("Keine"));
        QCOMPARE(grid.Text(1, FieldCode::Power), QStringLiteral("Hoch"));
        QCOMPARE(grid.Box("cxDcts")->itemText(1), QStringLiteral("67.0"));

        // The translated None text means no tone.
        grid.Click(1, FieldCode::TxTone);
        QTest::keyClicks(grid.Box("cxDcts"), QStringLiteral("88.5"));
        QCOMPARE(grid.Stored(1, FieldCode::RxTone), QString());
        grid.Box("cxDcts")->setCurrentIndex(0);
        QCOMPARE(grid.Text(1, FieldCode::TxTone), QStringLiteral("Keine"));
        TChannel channel;
        QVERIFY(ReadChannel(grid.Db.All, 1, channel));
        QCOMPARE(channel.TxTone, QString());
    }
};

QTEST_MAIN(TstChsInfo)
#include "tst_chsinfo.moc"
