#include "core/RadioInfo.h"
#include "tests/support/FunctionWindow.h"
#include "ui/functions/InfoMsg.h"
#include "ui/functions/ScanFun.h"
#include "ui/functions/VoxFun.h"

// The scan, VOX and radio information windows.
class TstScanVox : public QObject {
    Q_OBJECT

private slots:
    void scanLists() {
        TFunctionWindow<TfScanFun> w;
        w.Option(12) = 128;
        w.Option(11) = 12;
        w.Option(10) = 0x11; // speed 150, mode TO
        QVERIFY(w.Open());
        QComboBox* priority = w.Box("cxScanPris");
        QCOMPARE(priority->count(), 129);
        QCOMPARE(priority->itemText(0), QStringLiteral("OFF"));
        QCOMPARE(priority->currentText(), QStringLiteral("128"));
        QCOMPARE(w.Box("cxScanBack")->currentText(), QStringLiteral("15"));
        QCOMPARE(w.Box("cxScanMode")->currentText(), QStringLiteral("TO"));
        w.Choose("cxScanBack", 0);
        QCOMPARE(int(w.Option(11)), 0);
        QVERIFY(w.Db.Document.Modified());
        // Changing the speed rewrites the other fields with what they show.
        w.Choose("cxScanRate", 8);
        QCOMPARE(QByteArray(w.Options(10, 3)), QByteArray("\x81\x00\x80", 3));
    }

    // A priority channel above the list shows no choice and saves the field's all-ones value.
    void priorityBeyondTheList() {
        TFunctionWindow<TfScanFun> w;
        w.Option(12) = 129;
        QVERIFY(w.Open());
        QCOMPARE(w.Box("cxScanPris")->currentIndex(), -1);
        w.Choose("cxScanMode", 2);
        QCOMPARE(int(w.Option(12)), 0xFF);
    }

    void vox() {
        TFunctionWindow<TfVoxFun> w;
        w.Option(8) = 0x90; // gain 1, delay 0.5, bit 4 and the hidden receive inhibit set
        QVERIFY(w.Open());
        QCOMPARE(w.Box("cxVoxLv")->currentText(), QStringLiteral("1"));
        QVERIFY(w.Box("cxVoxRs")->isHidden());
        w.Choose("cxVoxDv", 2);
        QCOMPARE(int(w.Option(8)), 0xD0);
    }

    void infoShowsTheImage_data() {
        QTest::addColumn<QByteArray>("stamp");
        QTest::addColumn<QString>("shown");
        QTest::newRow("date") << QByteArray("\xE8\x07\x03\x05\x0E\x07\x09")
                              << "2024-03-05 14:07:09";
        QTest::newRow("short year")
            << QByteArray("\x05\x00\x0C\x1F\x00\x00\x00", 7) << "5-12-31 00:00:00";
        QTest::newRow("erased") << QByteArray(7, '\xFF') << "65535-255-255 255:255:255";
    }

    void infoShowsTheImage() {
        QFETCH(QByteArray, stamp);
        QFETCH(QString, shown);
        TFunctionWindow<TfInfoMsg> w;
        std::copy(stamp.begin(), stamp.end(), &w.Db.All.Image[Addr::DateStamp]);
        const QByteArray serial = QByteArray("AB-12") + QByteArray(11, '\xFF');
        std::copy(serial.begin(), serial.end(), &w.Db.All.Image[Addr::Serial]);
        QVERIFY(w.Open());
        QCOMPARE(w.Edit("cxRadioTime")->text(), shown);
        QCOMPARE(w.Edit("cxSerial")->text(), QStringLiteral("AB 12") + QString(11, ' '));
        QCOMPARE(w.Edit("cxModel")->text(), QStringLiteral("ZP-407NE"));
        QCOMPARE(w.Edit("cxFreq")->text(), w.Db.All.BandText);
    }

    void serialNumber_data() {
        QTest::addColumn<bool>("editable");
        QTest::newRow("fixed") << false;
        QTest::newRow("editable") << true;
    }

    // The serial number changes only when the model allows it, in upper case.
    void serialNumber() {
        QFETCH(bool, editable);
        TFunctionWindow<TfInfoMsg> w;
        w.Db.All.SerialEditable = editable;
        const QByteArray before = w.Bytes(Addr::Serial, 16);
        QVERIFY(w.Open());
        QCOMPARE(w.Edit("cxSerial")->isReadOnly(), !editable);
        w.Type("cxSerial", QStringLiteral("ab1"));
        QCOMPARE(w.Db.Document.Modified(), editable);
        QCOMPARE(w.Bytes(Addr::Serial, 16),
                 editable ? QByteArray("AB1") + QByteArray(13, ' ') : before);
    }
};

QTEST_MAIN(TstScanVox)
#include "tst_scanvox.moc"
