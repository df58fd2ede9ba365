#include "core/Maindb.h"
#include "ui/channels/ToneOption.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include "tests/support/SecondLanguage.h"

#include <QtTest>

namespace {

// The tone picker shown on its own, as its caller shows it, and driven through its widgets.
class TPicker {
public:
    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    TfToneOption Dialog{Db.All};

    void UseLanguage(const QByteArray& text) { UseSecondLanguage(Folder.path(), Db.All, text); }

    bool Open() {
        Dialog.show();
        return QTest::qWaitForWindowExposed(&Dialog);
    }
    QTableWidget* Table(const char* name) const {
        return Dialog.findChild<QTableWidget*>(QLatin1String(name));
    }
    QTableWidget* ShownTable() const {
        for (QTableWidget* table : Dialog.findChildren<QTableWidget*>())
            if (table->isVisible()) return table;
        return nullptr;
    }
    void Choose(const char* radio) {
        auto* button = Dialog.findChild<QRadioButton*>(QLatin1String(radio));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    }
    void DoubleClick(int row, int column) {
        QTableWidget* table = ShownTable();
        const QRect cell = table->visualRect(table->model()->index(row, column));
        // A user's double click: a click, then the second press that the system reports as one.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QString Caption() const {
        return Dialog.findChild<QGroupBox*>(QStringLiteral("gbCodes"))->title();
    }
};

} // namespace

// The tone picker: its tables, the tone a double click returns, and its captions.
class TstToneOption : public QObject {
    Q_OBJECT

private slots:
    void tables() {
        TPicker picker;
        QVERIFY(picker.Open());
        QCOMPARE(picker.Dialog.windowTitle(), QStringLiteral("Channel Tone Option"));
        QCOMPARE(picker.ShownTable(), picker.Table("gvCtcss"));
        QTableWidget* ctcss = picker.Table("gvCtcss");
        QCOMPARE(ctcss->rowCount(), 9);
        QCOMPARE(ctcss->columnCount(), 15);
        // 151.4 is the 25th CTCSS entry: third group, seventh row.
        QCOMPARE(ctcss->item(6, 6)->text(), QStringLiteral("19"));
        QCOMPARE(ctcss->item(6, 7)->text(), QStringLiteral("151.4"));
        QCOMPARE(ctcss->item(6, 8)->text(), QStringLiteral("5Z"));
        QCOMPARE(ctcss->item(5, 13)->text(), QStringLiteral("254.1"));
        QVERIFY(ctcss->item(8, 13)->text().isEmpty());
        QVERIFY(ctcss->item(0, 1)->font().bold() && !ctcss->item(0, 0)->font().bold());
        QCOMPARE(ctcss->item(0, 0)->background().color(), QColor(249, 141, 227));
        QCOMPARE(ctcss->item(0, 2)->background().color(), QColor(225, 249, 112));
        QCOMPARE(ctcss->columnWidth(1), 47);

        QTableWidget* dcsN = picker.Table("gvDcsN");
        QCOMPARE(dcsN->rowCount(), 11);
        QCOMPARE(dcsN->columnCount(), 16);
        QCOMPARE(dcsN->item(0, 1)->text(), QStringLiteral("D023N"));
        QCOMPARE(dcsN->item(7, 15)->text(), QStringLiteral("D754N"));
        QCOMPARE(dcsN->item(7, 14)->text(), QStringLiteral("85"));
        QVERIFY(dcsN->item(8, 15)->text().isEmpty());
        QCOMPARE(picker.Table("gvDcsI")->item(8, 11)->text(), QStringLiteral("D525I"));
        QCOMPARE(dcsN->item(0, 0)->background().color(), QColor(47, 231, 220));
    }

    // Each row: the table chosen, the cell double-clicked, the tone returned and whether the
    // dialog closed.
    void doubleClick_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("tone");
        QTest::addColumn<bool>("closes");
        QTest::newRow("CTCSS tone") << "rCTCSS" << 6 << 7 << "151.4" << true;
        QTest::newRow("CTCSS code") << "rCTCSS" << 6 << 6 << "" << false;
        QTest::newRow("CTCSS letters") << "rCTCSS" << 6 << 8 << "" << false;
        QTest::newRow("CTCSS empty cell") << "rCTCSS" << 8 << 13 << "" << true;
        QTest::newRow("DCS-I first code") << "rDCSI" << 0 << 1 << "D023I" << true;
        QTest::newRow("DCS-I number") << "rDCSI" << 0 << 0 << "" << false;
        QTest::newRow("DCS-N last code") << "rDCSN" << 7 << 15 << "D754N" << true;
        QTest::newRow("DCS-N empty cell") << "rDCSN" << 10 << 15 << "" << true;
    }

    void doubleClick() {
        QFETCH(QString, radio);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, tone);
        QFETCH(bool, closes);
        TPicker picker;
        QVERIFY(picker.Open());
        picker.Choose(qPrintable(radio));
        picker.DoubleClick(row, column);
        QCOMPARE(picker.Dialog.SelectedTone(), tone);
        QCOMPARE(picker.Dialog.isVisible(), !closes);
    }

    // The code list's caption follows the chosen table, in the language file's words.
    void captionFollowsTheChoice() {
        TPicker picker;
        picker.UseLanguage("[fToneOption]\nfToneOption.Caption=Tonwahl\nlbSel.2=DCS invers\n"
                           "rDCSI.Caption=DCS-Inv\n");
        QVERIFY(picker.Open());
        QCOMPARE(picker.Dialog.windowTitle(), QStringLiteral("Tonwahl"));
        QCOMPARE(picker.Caption(), QStringLiteral("CTCSS"));
        picker.Choose("rDCSN");
        QCOMPARE(picker.Caption(), QStringLiteral("DCS-N"));
        QCOMPARE(picker.ShownTable(), picker.Table("gvDcsN"));
        picker.Choose("rDCSI");
        QCOMPARE(picker.Caption(), QStringLiteral("DCS invers"));
        QCOMPARE(picker.ShownTable(), picker.Table("gvDcsI"));
        QCOMPARE(picker.Dialog.findChild<QRadioButton*>(QStringLiteral("rDCSI"))->text(),
                 QStringLiteral("DCS-Inv"));
    }
};

QTEST_MAIN(TstToneOption)
#include "tst_toneoption.moc"
