#include "tests/support/FunctionWindow.h"
#include "ui/functions/DtmfFun.h"

#include <QTabWidget>

// The DTMF window: its lists through the table, the four code boxes with their digit strings,
// and the PTT ID mode that every save stores as "BOTH".
class TstDtmfFun : public QObject {
    Q_OBJECT

    using TWindow = TFunctionWindow<TfDtmfFun>;

private slots:
    void beginCode() {
        TWindow w;
        QVERIFY(w.Open());
        w.Type("cxEntv", QStringLiteral("12#"));
        QCOMPARE(int(w.Option(35) & 0x0F), 2);
        QCOMPARE(w.Options(48, 8), QByteArray("\x12\xEF") + QByteArray(6, '\xFF'));
        QCOMPARE(int(w.Option(32) & 0x04), 0);
        // Clearing marks the code absent and keeps its digits and length.
        const QByteArray kept = w.Options(35, 21);
        w.Type("cxEntv", QString());
        QCOMPARE(int(w.Option(32) & 0x04), 0x04);
        QCOMPARE(w.Options(35, 21), kept);
        QVERIFY(w.Open());
        QCOMPARE(w.Edit("cxEntv")->text(), QString());
    }

    // Typed and pasted text alike: a-d become upper case, anything else stays out.
    void codeCharacters_data() {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typed letters") << false << "a1*d"
                                       << "A1*D";
        QTest::newRow("typed others") << false << "1x2e3"
                                      << "123";
        QTest::newRow("pasted others") << true << "1x2-3"
                                       << "123";
    }

    void codeCharacters() {
        QFETCH(bool, paste);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        TWindow w;
        QVERIFY(w.Open());
        if (paste)
            w.Paste("cxEndv", text);
        else
            w.Type("cxEndv", text, false);
        QCOMPARE(w.Edit("cxEndv")->text(), shown);
        QVERIFY(w.Open());
        QCOMPARE(w.Edit("cxEndv")->text(), shown);
    }

    void idCode() {
        TWindow w;
        QVERIFY(w.Open());
        QCOMPARE(w.Edit("cxIdSv")->text(), QStringLiteral("000")); // erased bytes
        w.Type("cxIdSv", QStringLiteral("7"));
        QCOMPARE(w.Options(36, 3), QByteArray("\x70\x0F\xFF"));
        QCOMPARE(w.Edit("cxIdSv")->text(), QStringLiteral("7"));
        w.Paste("cxIdSv", QStringLiteral("12A456"));
        QCOMPARE(w.Edit("cxIdSv")->text(), QStringLiteral("12456"));
        QVERIFY(w.Open());
        QCOMPARE(w.Edit("cxIdSv")->text(), QStringLiteral("12456"));
    }

    void stunCode() {
        TWindow w;
        QVERIFY(w.Open());
        w.Type("cxStunSv", QStringLiteral("1234567890"));
        QCOMPARE(int(w.Option(40)), 10);
        QCOMPARE(w.Options(41, 5), QByteArray("\x12\x34\x56\x78\x90"));
        w.Type("cxStunSv", QString());
        QCOMPARE(int(w.Option(40)), 0);
        QCOMPARE(w.Options(41, 5), QByteArray(5, '\xFF'));
        // A length beyond the code's bytes reads no further than them.
        w.Option(40) = 0xFF;
        QVERIFY(w.Open());
        QCOMPARE(w.Edit("cxStunSv")->text(), QString(10, '*'));
    }

    void lists_data() {
        TWindow::ListColumns();
        QTest::newRow("tone length 3") << "cxEfSv" << 31 << 0x30 << "0" << 1 << 0x00;
        QTest::newRow("tone length 1") << "cxEfSv" << 31 << 0x10 << "500" << 0 << 0x30;
        QTest::newRow("group code 5") << "cxGroup" << 31 << 0x05 << "" << -1 << 0x0F;
        QTest::newRow("speed") << "cxRate" << 29 << 0x02 << "6" << 11 << 0x0B;
        QTest::newRow("first digit delay") << "cxFiDv" << 30 << 0x90 << "1000" << 0 << 0x00;
    }

    // A list shows its field; choosing an item (or changing another list, -1) saves it.
    void lists() { TWindow::ListCase("cxTxYs"); }

    // The hidden PTT ID mode is saved as "BOTH"; the hidden "Transpond" keeps its value.
    void hiddenLists() {
        TWindow w;
        w.Option(32) = 0x01;
        w.Option(33) = 0x2F;
        QVERIFY(w.Open());
        QVERIFY(w.Box("cxPtts")->isHidden() && w.Box("cxAcks")->isHidden());
        QVERIFY(w.Edit("cxEntv")->isEnabled() && w.Edit("cxEndv")->isEnabled());
        w.Choose("cxIdEs", 1);
        QCOMPARE(int(w.Option(32)), 0x13);
        QCOMPARE(int(w.Option(33)), 0x2F);
    }

    void decodePage() {
        TWindow w;
        w.Db.All.DtmfDecodeVisible = false;
        QVERIFY(w.Open());
        auto* pages = w.template Find<QTabWidget>("cxDtmfInfo");
        QVERIFY(!pages->isTabVisible(1));
    }
};

QTEST_MAIN(TstDtmfFun)
#include "tst_dtmffun.moc"
