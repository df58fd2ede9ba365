#include "core/OptionFields.h"
#include "tests/support/FunctionWindow.h"
#include "ui/functions/OptFun.h"

#include <QCheckBox>

// The optional functions window: each list shows its field through the table's mapping, any
// change saves every field, the radio name and "Manual Freq." keep their own rules.
class TstOptFun : public QObject {
    Q_OBJECT

    using TWindow = TFunctionWindow<TfOptFun>;

private slots:
    void lists_data() {
        TWindow::ListColumns();
        QTest::newRow("display mode 5") << "cxModeSw" << 3 << 0xF5 << "FM Freq." << 1 << 0xFD;
        QTest::newRow("display mode 11") << "cxModeSw" << 3 << 0x0B << "Freq." << 2 << 0x0E;
        QTest::newRow("battery save off keeps ratio")
            << "cxRxSav" << 4 << 0x07 << "1:4" << 0 << 0x03;
        QTest::newRow("battery save 1:2") << "cxRxSav" << 4 << 0x03 << "OFF" << 2 << 0x05;
        QTest::newRow("voice off keeps language")
            << "cxWavsSw" << 5 << 0x06 << "Chinese" << 0 << 0x04;
        QTest::newRow("voice English") << "cxWavsSw" << 5 << 0x04 << "Off" << 1 << 0x02;
        QTest::newRow("tx over tone") << "cxRoger" << 5 << 0x20 << "Off" << 0 << 0x00;
        QTest::newRow("time-out") << "cxTotSv" << 7 << 0x65 << "180" << 12 << 0xC5;
        QTest::newRow("open show") << "cxOpenSw" << 6 << 0x08 << "DC" << 0 << 0x00;
        QTest::newRow("vol inhibit tx") << "cxBatTx" << 4 << 0x80 << "High" << 3 << 0xC0;
    }

    void lists() { TWindow::ListCase("cxDWait"); }

    // One change saves every field: display mode 5 becomes 7, the erased name seven blanks, and
    // the hidden "Freq. Rang-4" keeps its bit.
    void anyChangeSavesEveryField() {
        TWindow w;
        w.Option(3) = 0x05;
        w.Option(5) = 0x80;
        w.Option(6) = 0x00;
        QVERIFY(w.Open());
        QVERIFY(w.Box("cx3xxM")->isHidden());
        QCOMPARE(w.Edit("cxOpenMsg")->text(), QString());
        w.Click(w.Find<QCheckBox>("cxRelaySet"));
        QCOMPARE(int(w.Option(6) & 0x20), 0x20);
        QCOMPARE(int(w.Option(3)), 0x07);
        QCOMPARE(int(w.Option(5) & 0x80), 0x80);
        QCOMPARE(w.Options(16, 7), QByteArray(7, '\0'));
    }

    void radioName() {
        TWindow w;
        QVERIFY(w.Open());
        w.Type("cxOpenMsg", QStringLiteral("AB"));
        QCOMPARE(w.Options(16, 7), QByteArray("\x21\x22\0\0\0\0\0", 7));
        // Pasted text loses what the name code has no place for, and holds at most seven.
        w.Paste("cxOpenMsg", QStringLiteral("x\u00e9y{z"));
        QCOMPARE(w.Edit("cxOpenMsg")->text(), QStringLiteral("xyz"));
        w.Paste("cxOpenMsg", QStringLiteral("12345678"));
        QCOMPARE(w.Edit("cxOpenMsg")->text(), QStringLiteral("xyz"));
        w.Window->Deactivate(); // a command runs: the typed name is saved
        QCOMPARE(w.Options(16, 3), QByteArray("\x58\x59\x5A"));
    }

    void manualFreq_data() {
        QTest::addColumn<bool>("selectable");
        QTest::addColumn<int>("manualFreq");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Yes") << true << 0xAA << "Yes";
        QTest::newRow("any other value") << true << 0x00 << "No";
        QTest::newRow("not selectable") << false << 0xAA << "No";
    }

    void manualFreq() {
        QFETCH(bool, selectable);
        QFETCH(int, manualFreq);
        QFETCH(QString, shown);
        TWindow w;
        w.Db.All.ManualFreqSelectable = selectable;
        w.Db.All.ManualFreq = uint8_t(manualFreq);
        QVERIFY(w.Open());
        QComboBox* box = w.Box("cxFrq_Use");
        QCOMPARE(box->currentText(), shown);
        QCOMPARE(box->isEnabled(), selectable);
        w.Choose("cxDWait", 1); // any change saves the choice as shown
        const int saved = shown == QLatin1String("Yes") ? 0xAA : 0xFF;
        QCOMPARE(int(w.Db.All.ManualFreq), saved);
        QCOMPARE(int(w.Db.All.Image[Addr::ManualFreq]), saved);
        if (!selectable) return;
        w.Choose("cxFrq_Use", 0);
        QCOMPARE(int(w.Db.All.Image[Addr::ManualFreq]), 0xAA);
    }
};

QTEST_MAIN(TstOptFun)
#include "tst_optfun.moc"
