#include "core/FmChannels.h"
#include "tests/support/FunctionWindow.h"
#include "ui/functions/FmFun.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QTableWidget>

// The FM window: typed frequencies capped at the model's FmHigh and kept inside the image's
// bounds (88-108 MHz on a new image), the channel grid's cells, and the refusal of a text that is
// no number.
class TstFmFun : public QObject {
    Q_OBJECT

    using TWindow = TFunctionWindow<TfFmFun>;

    static int Slot(const TWindow& w, int slot) {
        return w.Db.All.Image[0x1050 + 2 * (slot - 1)] | w.Db.All.Image[0x1051 + 2 * (slot - 1)]
                                                             << 8;
    }
    static bool Present(const TWindow& w, int channel) {
        return TestMapBit(w.Db.All, Addr::FmPresentMap, channel);
    }
    // The cell of a channel's frequency and number.
    static QPoint Cell(int channel, bool number = false) {
        const int pair = (channel - 1) / 10;
        return {(channel - 1) % 10 + 1, 2 * pair + (number ? 0 : 1)};
    }
    static QTableWidget* Grid(TWindow& w) {
        w.template Find<QTabWidget>("cxChInfo")->setCurrentIndex(1);
        return w.template Find<QTableWidget>("gvData");
    }
    static void ClickCell(TWindow& w, QPoint cell) {
        QTableWidget* grid = Grid(w);
        const QRect rect = grid->visualItemRect(grid->item(cell.x(), cell.y()));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Clicks the channel's number cell, types over the selected text and presses Enter.
    static void TypeChannel(TWindow& w, int channel, const QString& keys) {
        ClickCell(w, Cell(channel, true));
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        if (keys.isEmpty()) QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits an Enter in a queued call
    }
    static QString CellText(TWindow& w, int channel) {
        const QPoint cell = Cell(channel);
        return Grid(w)->item(cell.x(), cell.y())->text();
    }

private slots:
    void cleanup() { TMessageBoxSeam::Reset(); }

    void typedChannel_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above FmHigh") << "120" << 4280 << "107.00000";
        QTest::newRow("below the bounds") << "65" << 3520 << "88.00000";
        QTest::newRow("between steps") << "100.01" << 4000 << "100.00000";
        QTest::newRow("half a step rounds up") << "100.0125" << 4001 << "100.02500";
        QTest::newRow("comma") << "99,5" << 3980 << "99.50000";
    }

    void typedChannel() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        TWindow w;
        QVERIFY(w.Open());
        TypeChannel(w, 23, typed);
        QCOMPARE(Slot(w, 23), stored);
        QVERIFY(Present(w, 23));
        QCOMPARE(CellText(w, 23), shown);
        QVERIFY(w.Db.Document.Modified());
    }

    void clearedChannelKeepsItsValue() {
        TWindow w;
        QVERIFY(w.Open());
        TypeChannel(w, 4, QStringLiteral("95"));
        TypeChannel(w, 4, QString());
        QVERIFY(!Present(w, 4));
        QCOMPARE(Slot(w, 4), 3800);
        QCOMPARE(CellText(w, 4), QString());
    }

    // A text that is no number is refused with a message; the image stays as it was.
    void notANumber() {
        TWindow w;
        QVERIFY(w.Open());
        TypeChannel(w, 1, QStringLiteral("95"));
        w.Db.Document.SetModified(false);
        const auto before = w.Db.All.Image;
        TMessageBoxSeam::QueueAnswer(1);
        TypeChannel(w, 1, QStringLiteral("1.2.3"));
        QCOMPARE(TMessageBoxSeam::TakeShown().size(), size_t(1));
        QVERIFY(w.Db.All.Image == before);
        QVERIFY(!w.Db.Document.Modified());
        QCOMPARE(CellText(w, 1), QStringLiteral("95.00000"));
    }

    // Opening corrects a present channel outside the bounds without marking the image modified.
    void openingCorrectsTheImage() {
        TWindow w;
        QCOMPARE(OptionByte(w.Db.All, 9) >> 4, 1);
        SetMapBit(w.Db.All, Addr::FmPresentMap, 25, true);
        QVERIFY(w.Open());
        QCOMPARE(Slot(w, 25), 3520);
        QCOMPARE(CellText(w, 25), QStringLiteral("88.00000"));
        QCOMPARE(CellText(w, 24), QString());
        QCOMPARE(w.Edit("cxRx")->text(), QStringLiteral("88.00000"));
        QCOMPARE(w.Edit("cxFM_Min")->text(), QStringLiteral("76.000"));
        QCOMPARE(w.Edit("cxFM_Max")->text(), QStringLiteral("107.000"));
        QVERIFY(!w.Db.Document.Modified());
    }

    void currentFrequency() {
        TWindow w;
        QVERIFY(w.Open());
        w.Type("cxRx", QStringLiteral("101.3"));
        QCOMPARE(Slot(w, FmCurrentSlot), 4052);
        QCOMPARE(w.Edit("cxRx")->text(), QStringLiteral("101.30000"));
        w.Type("cxRx", QString()); // empty: the lower bound shows, nothing is stored
        QCOMPARE(w.Edit("cxRx")->text(), QStringLiteral("88.00000"));
        QCOMPARE(Slot(w, FmCurrentSlot), 4052);
    }

    void stepAndInhibit() {
        TWindow w;
        w.Option(9) = 0x05;
        w.Option(5) = 0x40;
        QVERIFY(w.Open());
        QCOMPARE(w.Box("cxStep")->currentText(), QStringLiteral("50"));
        auto* inhibit = w.template Find<QCheckBox>("cxFmDw");
        QVERIFY(!inhibit->isChecked());
        w.Click(inhibit);
        QCOMPARE(int(w.Option(5)), 0x00);
        QCOMPARE(int(w.Option(9)), 0x15); // stored 0 becomes 1; the VFO step stays
    }

    void gridCells() {
        TWindow w;
        QVERIFY(w.Open());
        QTableWidget* grid = Grid(w);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("No."));
        QCOMPARE(grid->item(0, 5)->text(), QStringLiteral("Frequancy[MHz]"));
        QCOMPARE(grid->item(5, 4)->text(), QStringLiteral("25"));
        ClickCell(w, {6, 4}); // the blank lower part of the third pair
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QVERIFY(!(grid->item(6, 5)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(grid->item(1, 0)->flags() & Qt::ItemIsEditable));
    }
};

QTEST_MAIN(TstFmFun)
#include "tst_fmfun.moc"
