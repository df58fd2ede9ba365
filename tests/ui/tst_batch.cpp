#include "core/Codecs.h"
#include "core/ToneList.h"
#include "tests/support/EditorProgram.h"
#include "ui/channels/BatchEdit.h"
#include "ui/channels/ChsEdit.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

namespace {

// The main window with the batch window opened from the menu, on two bands: 136-174 MHz and
// 400-480 MHz.
class TProgram : public TEditorProgram {
public:
    TProgram() { Db.All.Bands = {TBand{136.0, 174.0}, TBand{400.0, 480.0}, TBand{}, TBand{}}; }

    bool OpenBatch() {
        Trigger("nBatch");
        if (!Batch() || !Batch()->isVisible()) return false;
        Batch()->SeedRandom(7);
        return true;
    }
    TfBatch* Batch() const { return Frm->findChild<TfBatch*>(); }
    template <class T> T* Control(const char* name) const {
        return Batch()->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* Field(const char* name) const { return Control<QLineEdit>(name); }
    void Click(const char* name) { Control<QAbstractButton>(name)->click(); }
    void Set(const char* spin, int value) { Control<QSpinBox>(spin)->setValue(value); }
    void Choose(const char* list, const QString& item) {
        QComboBox* box = Control<QComboBox>(list);
        box->setCurrentIndex(box->findText(item));
    }
    void Range(int from, int to) {
        Click("cxChs");
        Set("cxTo", to);
        Set("cxFrom", from);
    }
    void Ok() { Click("btnOk"); }

    QStringList Rx(int from, int to) {
        QStringList texts;
        for (int k = from; k <= to; ++k)
            texts << FormatMHz(Stored(k).RxFreq);
        return texts;
    }
    QStringList Tx(int from, int to) {
        QStringList texts;
        for (int k = from; k <= to; ++k)
            texts << FormatMHz(Stored(k).TxFreq);
        return texts;
    }
    QStringList Tones(int from, int to, bool rx) {
        QStringList texts;
        for (int k = from; k <= to; ++k)
            texts << (rx ? Stored(k).RxTone : Stored(k).TxTone);
        return texts;
    }
};

} // namespace

// The batch channel edit: its starting state and field checks, the fill of frequencies, tones,
// settings and names, emptying a range, and the grid showing the result.
class TstBatch : public QObject {
    Q_OBJECT

private slots:
    void init() { TMessageBoxSeam::Reset(); }

    void startingState() {
        TProgram program;
        QVERIFY(program.OpenBatch());
        QCOMPARE(program.Batch()->parentWidget()->pos(), QPoint(20, 20));
        QCOMPARE(program.Field("cxRx_freq")->text(), QStringLiteral("136.00000"));
        QCOMPARE(program.Field("cxTx_Freq")->text(), QStringLiteral("136.00000"));
        QCOMPARE(program.Control<QSpinBox>("cxTo")->value(), 128);
        QCOMPARE(program.Control<QSpinBox>("cxTo")->maximum(), 128);
        QCOMPARE(program.Control<QSpinBox>("cxFrom")->value(), 1);
        QCOMPARE(program.Control<QComboBox>("cxPower")->currentText(), QStringLiteral("High"));
        QCOMPARE(program.Control<QComboBox>("cxWn")->currentText(), QStringLiteral("Wide"));
        QVERIFY(program.Control<QCheckBox>("cxTxRev")->isChecked());
        const auto enabled = [&](const char* name) {
            return program.Control<QWidget>(name)->isEnabled();
        };
        QVERIFY(!enabled("cxFrom") && !enabled("cxExc_Freq") && !enabled("cxTx_Freq"));
        QVERIFY(!enabled("cxTx_ran") && !enabled("cxTx_Dcts") && enabled("cxRx_Dcts"));
        program.Click("cxChs");
        program.Click("cxTx_Exc");
        program.Click("cxRx_Ran");
        program.Click("cxTx_Dcts_self");
        QVERIFY(enabled("cxFrom") && enabled("cxExc_Freq") && !enabled("cxTx_Freq"));
        QVERIFY(enabled("cxTx_ran") && enabled("cxTx_Dcts") && !enabled("cxRx_Dcts"));
        program.Click("cxTx_ran");
        QVERIFY(!enabled("cxTx_Dcts") && !enabled("cxTx_Dcts_step"));
    }

    // Each row: the field, the keys typed and what it then shows; no message is ever shown.
    void fieldChecks_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("start empty") << "cxRx_freq"
                                     << ""
                                     << "136.00000";
        QTest::newRow("start in no band") << "cxRx_freq"
                                          << "300"
                                          << "136.00000";
        QTest::newRow("start snapped") << "cxRx_freq"
                                       << "145,0031"
                                       << "145.00300";
        QTest::newRow("tx start too far") << "cxTx_Freq"
                                          << "450"
                                          << "136.00000";
        QTest::newRow("tx start near") << "cxTx_Freq"
                                       << "174"
                                       << "174.00000";
        QTest::newRow("step above the largest") << "cxRx_Step"
                                                << "120"
                                                << "0.00000";
        QTest::newRow("shift") << "cxExc_Freq"
                               << "5"
                               << "5.00000";
        QTest::newRow("name upper case") << "cxName"
                                         << "ab c"
                                         << "AB C";
        QTest::newRow("name at most 7") << "cxName"
                                        << "abcdefghij"
                                        << "ABCDEFG";
    }

    void fieldChecks() {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        TProgram program;
        QVERIFY(program.OpenBatch());
        if (field == "cxExc_Freq") program.Click("cxTx_Exc");
        if (field == "cxTx_Freq") program.Click("cxTx_Self");
        program.Type(program.Field(qPrintable(field)), keys);
        QCOMPARE(program.Field(qPrintable(field))->text(), shown);
        QVERIFY(TMessageBoxSeam::TakeShown().empty());
        QVERIFY(!program.Db.All.Modified);
    }

    // "From" is held at or below "To"; "To" below "From" makes Ok change nothing.
    void range() {
        TProgram program;
        QVERIFY(program.OpenBatch());
        program.Click("cxChs");
        program.Set("cxTo", 10);
        program.Set("cxFrom", 20);
        QCOMPARE(program.Control<QSpinBox>("cxFrom")->value(), 10);
        program.Set("cxTo", 5);
        const auto image = program.Db.All.Image;
        program.Ok();
        QVERIFY(program.Db.All.Image == image);
        QVERIFY(!program.Db.All.Modified);
    }

    // Receive frequencies stop advancing at a band's edge; transmit follows as its mode says.
    void frequencies_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("txMode");
        QTest::addColumn<QString>("txValue"); // the shift, or the transmit start and step
        QTest::addColumn<QStringList>("rx");
        QTest::addColumn<QStringList>("tx");
        const QStringList up = {"172.00000", "173.00000", "174.00000", "174.00000"};
        QTest::newRow("ascending to the edge") << "172"
                                               << "1" << false << "cxTx_def"
                                               << "" << up << up;
        QTest::newRow("at the upper limit")
            << "174"
            << "0.025" << false << "cxTx_def"
            << "" << QStringList(4, "174.00000") << QStringList(4, "174.00000");
        QTest::newRow("descending to the edge")
            << "137"
            << "0.5" << true << "cxTx_def"
            << "" << QStringList{"137.00000", "136.50000", "136.00000", "136.00000"}
            << QStringList{"137.00000", "136.50000", "136.00000", "136.00000"};
        QTest::newRow("+Dup pulled to the edge")
            << "169"
            << "0" << false << "cxDup_add"
            << "10" << QStringList(4, "169.00000") << QStringList(4, "174.00000");
        QTest::newRow("+Dup in band")
            << "160"
            << "1" << false << "cxDup_add"
            << "5" << QStringList{"160.00000", "161.00000", "162.00000", "163.00000"}
            << QStringList{"165.00000", "166.00000", "167.00000", "168.00000"};
        QTest::newRow("-Dup pulled to the edge")
            << "402"
            << "0" << false << "cxDup_Dec"
            << "10" << QStringList(4, "402.00000") << QStringList(4, "400.00000");
        QTest::newRow("own start stops at the edge")
            << "150"
            << "0" << false << "cxTx_Self"
            << "172:1" << QStringList(4, "150.00000") << up;
    }

    void frequencies() {
        QFETCH(QString, start);
        QFETCH(QString, step);
        QFETCH(bool, descending);
        QFETCH(QString, txMode);
        QFETCH(QString, txValue);
        QFETCH(QStringList, rx);
        QFETCH(QStringList, tx);
        TProgram program;
        program.Make(9, "440");
        QVERIFY(program.OpenBatch());
        program.Range(5, 8);
        program.Type(program.Field("cxRx_freq"), start);
        program.Type(program.Field("cxRx_Step"), step);
        if (descending) program.Click("cxRx_dec");
        if (txMode == "cxTx_Self") {
            program.Click("cxTx_Self");
            program.Type(program.Field("cxTx_Freq"), txValue.section(':', 0, 0));
            program.Type(program.Field("cxTx_step"), txValue.section(':', 1));
        } else if (txMode != "cxTx_def") {
            program.Click("cxTx_Exc");
            program.Click(qPrintable(txMode));
            program.Type(program.Field("cxExc_Freq"), txValue);
        }
        program.Ok();

        QCOMPARE(program.Rx(5, 8), rx);
        QCOMPARE(program.Tx(5, 8), tx);
        QCOMPARE(program.GridText(8, FieldCode::RxFreq), rx.last());
        QCOMPARE(program.Stored(4).RxFreq, -1.0);
        QCOMPARE(program.Rx(9, 9), QStringList{"440.00000"});
        QVERIFY(program.Db.All.Modified);
        QVERIFY(program.Batch()->isVisible());
    }

    // Tone indexes step through the tone list and stop at its ends; item 0 is no tone.
    void toneSteps_data() {
        QTest::addColumn<QString>("begin");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("tones");
        QTest::newRow("ascending")
            << "67.0" << 2 << false << QStringList{"67.0", "71.9", "77.0", "82.5"};
        QTest::newRow("stops at the last")
            << "D743I" << 2 << false << QStringList{"D743I", "D754I", "D754I", "D754I"};
        QTest::newRow("stops at None")
            << "69.3" << 1 << true << QStringList{"69.3", "67.0", "", ""};
    }

    void toneSteps() {
        QFETCH(QString, begin);
        QFETCH(int, spacing);
        QFETCH(bool, descending);
        QFETCH(QStringList, tones);
        TProgram program;
        QVERIFY(program.OpenBatch());
        program.Range(1, 4);
        program.Choose("cxRx_Dcts", begin);
        program.Set("cxRx_Dcts_step", spacing);
        if (descending) program.Click("cxRx_Dcts_dec");
        // The transmit tones step on their own from "Begin", downwards by one.
        program.Click("cxTx_Dcts_self");
        program.Choose("cxTx_Dcts", "D023N");
        program.Set("cxTx_Dcts_step", 1);
        program.Click("cxTx_Dcts_dec");
        program.Ok();
        QCOMPARE(program.Tones(1, 4, true), tones);
        QCOMPARE(program.Tones(1, 4, false), QStringList({"D023N", "254.1", "250.3", "241.8"}));
        QCOMPARE(program.GridText(3, FieldCode::RxTone), tones[2].isEmpty() ? "None" : tones[2]);
    }

    // Random receive tones; a default transmit tone is each channel's own receive tone.
    void randomTones() {
        TProgram program;
        QVERIFY(program.OpenBatch());
        program.Range(1, 16);
        program.Click("cxRx_Ran");
        program.Ok();
        const QStringList rx = program.Tones(1, 16, true);
        QCOMPARE(program.Tones(1, 16, false), rx);
        QVERIFY(QSet<QString>(rx.begin(), rx.end()).size() > 4);
        for (const QString& tone : rx)
            QVERIFY(tone.isEmpty() || ToneList().contains(tone));

        program.Click("cxTx_Dcts_self");
        program.Click("cxTx_ran");
        program.Ok();
        QVERIFY(program.Tones(1, 16, false) != program.Tones(1, 16, true));
    }

    // The common settings, the name or the channel number, and the epilogue box.
    void settingsAndNames() {
        TProgram program;
        QVERIFY(program.OpenBatch());
        program.Range(11, 12);
        program.Choose("cxPower", "Low");
        program.Choose("cxWn", "Narrow");
        program.Choose("cxApro", "Scrambler");
        program.Click("cxScan");
        program.Click("cxBclo");
        program.Click("cxVox");
        program.Click("cxTxRev");
        program.Type(program.Field("cxName"), QStringLiteral("rep"));
        program.Ok();
        TChannel stored = program.Stored(11);
        QCOMPARE(stored.Name, QStringLiteral("REP"));
        QCOMPARE(stored.Power, uint8_t(0));
        QCOMPARE(stored.Bandwidth, uint8_t(0));
        QCOMPARE(stored.VoiceMode, uint8_t(2));
        QCOMPARE(stored.ScanDel, uint8_t(0));
        QCOMPARE(stored.BusyLock, uint8_t(0));
        QCOMPARE(stored.Vox, uint8_t(0));
        QCOMPARE(stored.Epilogue, uint8_t(0));

        program.Click("cxUse_Chs");
        program.Click("cxTxRev");
        program.Ok();
        QCOMPARE(program.Stored(11).Name, QStringLiteral("11"));
        QCOMPARE(program.GridText(12, FieldCode::Name), QStringLiteral("12"));
        QCOMPARE(program.GridText(12, FieldCode::Epilogue), QStringLiteral("On"));
    }

    // "Clear Data" empties the range and nothing else; the grid and the channel edit window
    // show it at once.
    void clearData() {
        TProgram program;
        for (int k = 1; k <= 10; ++k)
            program.Make(k, "145.5");
        program.Trigger("nChEdit");
        QVERIFY(program.OpenBatch());
        program.Range(1, 8);
        program.Click("cxClear");
        program.Ok();
        for (int k = 1; k <= 10; ++k)
            QCOMPARE(program.Stored(k).RxFreq, k <= 8 ? -1.0 : 145.5);
        QCOMPARE(program.GridText(8, FieldCode::RxFreq), QString());
        QCOMPARE(program.GridText(8, FieldCode::Power), QString());
        QCOMPARE(program.GridText(9, FieldCode::RxFreq), QStringLiteral("145.50000"));
        auto* edit = program.Frm->findChild<TfChsEdit*>();
        QCOMPARE(edit->findChild<QLineEdit*>(QStringLiteral("cxRxSv"))->text(), QString());
        QVERIFY(program.Db.All.Modified);
    }
};

QTEST_MAIN(TstBatch)
#include "tst_batch.moc"
