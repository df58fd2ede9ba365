#include "core/Codecs.h"
#include "core/OptionFields.h"
#include "tests/support/EditorProgram.h"
#include "ui/channels/FreqEdit.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QTreeWidget>

namespace {

// The main window with the VFO editor, opened from the navigation tree.
class TProgram : public TEditorProgram {
public:
    const TOptionField& Step = *FindOptionField(QStringLiteral("FreqEdit.cxStep"));

    bool OpenVfo() {
        auto* tree = Frm->findChild<QTreeWidget*>(QStringLiteral("cxTree"));
        QTreeWidgetItem* node = tree->topLevelItem(0)->child(1);
        tree->setCurrentItem(node);
        DoubleClick(tree->viewport(), tree->visualItemRect(node).center());
        return Vfo() && Vfo()->isVisible();
    }
    TfFreqEdit* Vfo() const { return Frm->findChild<TfFreqEdit*>(); }
    template <class T> T* Control(const char* name) const {
        return Vfo()->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* Field(const char* name) const { return Control<QLineEdit>(name); }
    QComboBox* Box(const char* name) const { return Control<QComboBox>(name); }

    // Puts a VFO record on a frequency and offset, as the window would store them.
    void SetVfo(int k, const char* rx, const char* offset) {
        for (const auto& [code, text] : {std::pair<int, const char*>{FieldCode::Offset, "0"},
                                         {FieldCode::RxFreq, rx},
                                         {FieldCode::Offset, offset}}) {
            QString value = QLatin1String(text);
            WriteChannelField(Db.All, k, code, value);
        }
        Db.All.Modified = false;
    }
    QString StoredRx(int k) { return FormatMHz(Stored(k).RxFreq); }
    QString StoredOffset(int k) { return FormatMHz(Stored(k).Offset); }
};

} // namespace

// The VFO editor: its two records, the frequency, offset and step rules, and what it writes.
class TstFreqEdit : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TMessageBoxSeam::Reset();
        TModalDialog::Reset();
    }

    // Opened from the tree (and the menu, once): "Freq_Down" shows record 129, "Freq_Up"
    // record 130, each with its own values; loading writes nothing but the silent range
    // corrections of a record that is out of range.
    void recordsAndFirstShowing() {
        TProgram program;
        program.SetVfo(VfoLow, "146.00000", "5.00000");
        program.SetVfo(VfoHigh, "435.00000", "0");
        // Record 130 out of range: a frequency in no band and an offset above 99.995 MHz.
        PutU32(&program.Db.All.Image[ChannelOffset(VfoHigh)], 99900000);
        for (int i = 4; i < 7; ++i)
            program.Db.All.Image[size_t(ChannelOffset(VfoHigh) + i)] = 0xFF;
        const auto image = program.Db.All.Image;

        QVERIFY(program.OpenVfo());
        program.Trigger("nFreq");
        QCOMPARE(program.Frm->findChildren<TfFreqEdit*>().size(), 1);
        QCOMPARE(program.Vfo()->windowTitle(), QStringLiteral("Channel Edit"));
        QCOMPARE(program.Vfo()->parentWidget()->pos(), QPoint(20, 20));
        QCOMPARE(program.Field("cxRxSv")->text(), QStringLiteral("146.00000"));
        QCOMPARE(program.Field("cxTxSv")->text(), QStringLiteral("5.00000"));
        QVERIFY(program.Db.All.Image == image);

        program.Control<QRadioButton>("cxUps")->click();
        const QString low = FormatMHz(program.Db.All.Bands[0].Low);
        QCOMPARE(program.Field("cxRxSv")->text(), low);
        QCOMPARE(program.Field("cxTxSv")->text(), QStringLiteral("0.00000"));
        QCOMPARE(program.StoredRx(VfoHigh), low);
        program.Control<QRadioButton>("cxDown")->click();
        QCOMPARE(program.Field("cxRxSv")->text(), QStringLiteral("146.00000"));
        QVERIFY(!program.Db.All.Modified);
        QVERIFY(TMessageBoxSeam::TakeShown().empty());
    }

    // Each row: the field typed into, the keys, what it then shows and whether the range
    // message was shown. An empty frequency is out of range; an empty offset is none.
    void frequencyAndOffset_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("told");
        QTest::newRow("frequency") << "cxRxSv"
                                   << "145,5"
                                   << "145.50000" << false;
        QTest::newRow("frequency snapped") << "cxRxSv"
                                           << "145.0031"
                                           << "145.00300" << false;
        QTest::newRow("frequency empty") << "cxRxSv"
                                         << ""
                                         << "<low>" << true;
        QTest::newRow("frequency out of range") << "cxRxSv"
                                                << "999"
                                                << "<low>" << true;
        QTest::newRow("offset") << "cxTxSv"
                                << "0.6"
                                << "0.60000" << false;
        QTest::newRow("offset above the largest") << "cxTxSv"
                                                  << "120"
                                                  << "99.99500" << false;
        QTest::newRow("offset empty") << "cxTxSv"
                                      << ""
                                      << "0.00000" << false;
        QTest::newRow("offset no number") << "cxTxSv"
                                          << "1.2.3"
                                          << "0.00000" << false;
    }

    void frequencyAndOffset() {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(bool, told);
        TProgram program;
        program.Step.SetValue(program.Db.All, 5); // 12.50 kHz: the automatic raster
        program.SetVfo(VfoLow, "146.00000", "5.00000");
        QVERIFY(program.OpenVfo());
        if (shown == "<low>") shown = FormatMHz(program.Db.All.Bands[0].Low);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        program.Type(program.Field(qPrintable(field)), keys);

        QCOMPARE(program.Field(qPrintable(field))->text(), shown);
        QCOMPARE(field == "cxRxSv" ? program.StoredRx(VfoLow) : program.StoredOffset(VfoLow),
                 shown);
        QCOMPARE(TMessageBoxSeam::TakeShown().size(), size_t(told ? 1 : 0));
        QVERIFY(program.Db.All.Modified);
    }

    // A new step puts the frequency and offset of both records on its raster.
    void stepResnapsBothRecords() {
        TProgram program;
        program.Step.SetValue(program.Db.All, 5);
        program.SetVfo(VfoLow, "146.00625", "0.00625");
        program.SetVfo(VfoHigh, "435.00625", "0.01875");
        QVERIFY(program.OpenVfo());
        QComboBox* step = program.Box("cxStep");
        QCOMPARE(step->currentText(), QStringLiteral(" 12.50"));

        step->setCurrentIndex(0); // 0.50 kHz: the 500 Hz raster
        QCOMPARE(program.Step.GetValue(program.Db.All), 0);
        QCOMPARE(program.Field("cxRxSv")->text(), QStringLiteral("146.00650"));
        QCOMPARE(program.Field("cxTxSv")->text(), QStringLiteral("0.00650"));
        // The image itself holds the other record re-snapped, not only a reading of it.
        const uint8_t* upper = &program.Db.All.Image[size_t(ChannelOffset(VfoHigh))];
        QCOMPARE(PackU31(upper), 43500650u);
        QCOMPARE(upper[4] | upper[5] << 8 | upper[6] << 16, 1900);
        QVERIFY(program.Db.All.Modified);
    }

    // A stored step the list does not hold shows no step; the window still opens.
    void unknownStepShowsNone() {
        TProgram program;
        program.Step.SetValue(program.Db.All, 12);
        QVERIFY(program.OpenVfo());
        QCOMPARE(program.Box("cxStep")->currentIndex(), -1);
        QCOMPARE(program.Step.GetValue(program.Db.All), 12);
    }

    // The duplex, the tones and the flags are written to the shown record; the voice mode the
    // window does not show, "Both" included, stays as it was.
    void fieldsWriteTheRecord() {
        TProgram program;
        program.SetVfo(VfoHigh, "146.00000", "5.00000");
        QString both = QStringLiteral("3");
        WriteChannelField(program.Db.All, VfoHigh, FieldCode::VoiceMode, both);
        QVERIFY(program.OpenVfo());
        const auto lower =
            std::vector<uint8_t>(program.Db.All.Image.begin() + ChannelOffset(VfoLow),
                                 program.Db.All.Image.begin() + ChannelOffset(VfoLow) + 32);
        program.Control<QRadioButton>("cxUps")->click();

        program.Box("cxDups")->setCurrentIndex(1); // "+Dup"
        QCOMPARE(FormatMHz(program.Stored(VfoHigh).TxFreq), QStringLiteral("151.00000"));
        program.Control<QCheckBox>("cxBclo")->click();
        QueueTonePick("rDCSI", 0, 1);
        QComboBox* rx = program.Box("cxRxDcts");
        DoubleClick(rx->lineEdit(), rx->lineEdit()->rect().center());
        program.Type(program.Box("cxTxDcts"), QStringLiteral("88.5"));

        const TChannel stored = program.Stored(VfoHigh);
        QCOMPARE(stored.Duplex, uint8_t(1));
        QCOMPARE(stored.BusyLock, uint8_t(0));
        QCOMPARE(stored.RxTone, QStringLiteral("D023I"));
        QCOMPARE(stored.TxTone, QStringLiteral("88.5"));
        QCOMPARE(stored.VoiceMode, uint8_t(3));
        QVERIFY(std::equal(lower.begin(), lower.end(),
                           program.Db.All.Image.begin() + ChannelOffset(VfoLow)));
    }
};

QTEST_MAIN(TstFreqEdit)
#include "tst_freqedit.moc"
